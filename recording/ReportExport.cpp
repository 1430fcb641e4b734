#include "recording/ReportExport.h"

#include "platform/SaveFile.h"
#include "recording/RecordFile.h"

#include <QImage>

namespace reportexport {

namespace {

const QByteArray LineEnd = "\r\n";

// Two decimals and "." (QByteArray::number ignores the locale); never "-0.00".
QByteArray decimal(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 2);
    if (text == "-0.00")
        text = "0.00";
    return text;
}

QByteArray cell(const std::optional<double> &value)
{
    return value ? decimal(*value) : QByteArray();
}

// A sample's time: its number in tenths of a second.
QByteArray sampleTime(int32_t index)
{
    return QByteArray::number(index / 10) + '.' + char('0' + index % 10);
}

} // namespace

QByteArray samplesCsv(std::span<const RecordSample> samples)
{
    QByteArray csv;
    csv.reserve(qsizetype(24 + samples.size() * 22));
    csv += "time_s,sp_pct,pv_pct" + LineEnd;
    for (size_t i = 0; i < samples.size(); ++i) {
        csv += sampleTime(int32_t(i));
        csv += ',';
        csv += recordfile::formatNumber(samples[i].sp).c_str();
        csv += ',';
        csv += recordfile::formatNumber(samples[i].pv).c_str();
        csv += LineEnd;
    }
    return csv;
}

QByteArray stepsCsv(const std::vector<steps::StepResponse> &steps)
{
    QByteArray csv = "step,start_s,from_pct,to_pct,dead_time_s,t63_s,t86_s,settling_s,overshoot_pct,final_error_pct"
        + LineEnd;
    for (size_t i = 0; i < steps.size(); ++i) {
        const steps::StepResponse &s = steps[i];
        const QList<QByteArray> row{QByteArray::number(qulonglong(i + 1)), sampleTime(s.start), decimal(s.from),
                                    decimal(s.to), cell(s.deadTime), cell(s.t63), cell(s.t86), cell(s.settling),
                                    cell(s.overshoot), decimal(s.finalError)};
        csv += row.join(',') + LineEnd;
    }
    return csv;
}

QString save(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    return savefile::saveWhole(path, write);
}

QString saveBytes(const QString &path, const QByteArray &bytes)
{
    return savefile::saveWhole(path, bytes);
}

QString savePng(const QString &path, const QImage &image)
{
    return save(path, [&](QIODevice &out) { return image.save(&out, "PNG"); });
}

} // namespace reportexport
