#pragma once
// The program-wide data, made once in main() and handed to the windows, so
// that every test starts from a fresh state.
#include "params/ParameterSet.h"
#include "recording/RecordBuffer.h"

#include <QString>

struct modMain
{
    // The controller's parameter block and the upload built from it.
    ::ParameterSet ParameterSet;
    QString PendingUpload;
    bool UploadRequested = false;

    // Samples being recorded, and those of the record file read last.
    SampleBuffer RecordBuffer = makeSampleBuffer();
    int32_t RecordCount = 0;
    SampleBuffer ReportBuffer = makeSampleBuffer();
    int32_t ReportCount = 0;

    // Identity of the connected controller; empty until identified.
    QString ModelNo;
    QString SerialNo;
    QString VersionNo;

    // Which output the output calibration window works on.
    bool FeedbackMode = false;
};
