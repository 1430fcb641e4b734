#pragma once
// What the report window exports: the samples and the step table as CSV
// (one header row, "." as the decimal point whatever the locale, lines ended
// by CR LF) and the chart as a PNG picture. Files are saved through a
// temporary file that replaces the target only when complete.
#include "recording/RecordBuffer.h"
#include "recording/StepAnalysis.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <span>
#include <vector>

class QIODevice;
class QImage;

namespace reportexport {

// "time_s,sp_pct,pv_pct", then one row per sample: its time from the file's
// start and its SP and PV as the record file writes them.
QByteArray samplesCsv(std::span<const RecordSample> samples);

// "step,start_s,from_pct,to_pct,dead_time_s,t63_s,t86_s,settling_s,
// overshoot_pct,final_error_pct", then one row per step, numbered from 1;
// a value that was not reached is an empty cell.
QByteArray stepsCsv(const std::vector<steps::StepResponse> &steps);

// Saves under `path` what `write` puts into the file, all or nothing. Returns
// an empty text when saved, else why not.
QString save(const QString &path, const std::function<bool(QIODevice &)> &write);
QString saveBytes(const QString &path, const QByteArray &bytes);
QString savePng(const QString &path, const QImage &image);

} // namespace reportexport
