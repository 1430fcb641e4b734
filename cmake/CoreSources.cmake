# velmora_core: the protocol, formats, codec, files, chart and dial and
# actuator geometry, step analysis and numbers. Standard library and Qt Core
# only; cmake/CheckLayerIncludes.cmake keeps it that way.
set(VELMORA_CORE_SOURCES
  link/Commands.h
  link/LiveValues.h
  link/OutstandingCommands.cpp link/OutstandingCommands.h
  link/Protocol.cpp link/Protocol.h
  link/ReceiveBuffer.cpp link/ReceiveBuffer.h
  link/TrendBuffer.h
  display/ActuatorGeometry.cpp display/ActuatorGeometry.h
  display/DialMath.cpp display/DialMath.h
  display/SampleClock.h
  display/TrendChart.cpp display/TrendChart.h
  recording/RecordBuffer.h
  recording/RecordFile.cpp recording/RecordFile.h
  recording/ReportChart.cpp recording/ReportChart.h
  recording/StepAnalysis.cpp recording/StepAnalysis.h
  recording/StepTableModel.cpp recording/StepTableModel.h
  recording/TravelMeasurement.h
  params/ParameterChecks.cpp params/ParameterChecks.h
  params/ParameterCodec.cpp
  params/ParameterFields.h
  params/ParameterFile.cpp params/ParameterFile.h
  params/ParameterSet.h
  service/InputCalibration.cpp service/InputCalibration.h
  service/OutputCalibration.cpp service/OutputCalibration.h
  service/RemoteSetpoint.cpp service/RemoteSetpoint.h
  service/SerialNumber.cpp service/SerialNumber.h
  platform/DisplayList.h
  platform/Numbers.cpp platform/Numbers.h
  platform/ObjectLiteral.cpp platform/ObjectLiteral.h
  platform/SaveFile.h
  # The port interface is here because the simulator implements it too.
  platform/SerialPortControl.h)
