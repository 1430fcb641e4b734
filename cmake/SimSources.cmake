# velmora_sim: the simulated actuator, its in-process port and the
# pseudo-terminal server. It builds on velmora_core alone.
set(VELMORA_SIM_SOURCES
  sim/ActuatorModel.cpp sim/ActuatorModel.h
  sim/CommandReader.cpp sim/CommandReader.h
  sim/PtyServer.cpp sim/PtyServer.h
  sim/RecordStream.cpp sim/RecordStream.h
  sim/ReplyScheduler.cpp sim/ReplyScheduler.h
  sim/SimulatedSerialPort.cpp sim/SimulatedSerialPort.h)
