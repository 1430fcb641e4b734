# velmora_ui: the platform layer over Qt Widgets and Qt SerialPort, the
# windows, and frmMain's handlers in the folder of their subsystem. The link
# object is here because it waits on the event loop.
set(VELMORA_UI_SOURCES
  platform/Clock.h
  platform/Dialogs.h
  platform/EventPump.cpp platform/EventPump.h
  platform/FrameClock.cpp platform/FrameClock.h
  platform/PictureBox.cpp platform/PictureBox.h
  platform/PortMap.cpp platform/PortMap.h
  platform/QtDialogs.cpp platform/QtDialogs.h
  platform/QtSerialPortControl.cpp platform/QtSerialPortControl.h
  platform/ReadoutLabel.cpp platform/ReadoutLabel.h
  platform/Shape.cpp platform/Shape.h
  platform/Timer.cpp platform/Timer.h
  platform/WindowPlacement.cpp platform/WindowPlacement.h

  app/AppIcon.cpp app/AppIcon.h
  app/Artwork.cpp app/Artwork.h
  app/CommandLine.cpp app/CommandLine.h
  app/MakerPanel.cpp app/MakerPanel.h
  app/Startup.cpp app/Startup.h
  app/WindowSystem.cpp app/WindowSystem.h
  app/frmMain.cpp app/frmMain.h app/frmMain_layout.cpp app/frmMain_modes.cpp
  app/frmSplash.cpp app/frmSplash.h
  app/modMain.h

  link/SerialLink.cpp link/SerialLink.h
  link/frmMain_link.cpp
  link/frmMain_scan.cpp

  display/frmMain_display.cpp

  recording/ReportExport.cpp recording/ReportExport.h
  recording/frmHistory.cpp recording/frmHistory.h
  recording/frmHistory_export.cpp
  recording/frmHistory_steps.cpp
  recording/frmMain_recording.cpp

  params/frmMain_params.cpp
  params/frmParameters.cpp params/frmParameters.h
  params/frmParameters_file.cpp
  params/frmParameters_layout.cpp

  service/DeviceAnswer.cpp service/DeviceAnswer.h
  service/frmCalOut.cpp service/frmCalOut.h
  service/frmMain_calibration.cpp
  service/frmMain_outputCalibration.cpp
  service/frmMain_remote.cpp
  service/frmMain_setup.cpp)
