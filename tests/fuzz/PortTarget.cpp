// Bytes from the serial port through the receive buffer and the reply
// decoders, in the order the main window's receive event uses them: append
// what arrived, take every complete line, hand it to the decoder of its kind.
// PortHarness holds the state the replies leave behind in place of the
// window's; its receive() is the one place that would call the link object
// instead, the checks staying as they are.
//
// Input: the low three bits of the first byte say how many of the following
// bytes are piece sizes (used in turn; none: the stream arrives in one
// piece); the rest is the stream.
#include "FuzzTargets.h"

#include "link/LiveValues.h"
#include "link/Protocol.h"
#include "link/ReceiveBuffer.h"
#include "link/TrendBuffer.h"
#include "params/ParameterSet.h"
#include "platform/Numbers.h"

#include <cmath>
#include <vector>

namespace {

class PortHarness
{
public:
    void receive(QByteArrayView piece)
    {
        m_rx.append(piece);
        while (const auto line = m_rx.takeLine())
            dispatch(*line);
        fuzz::require(!m_rx.pending().contains('\r'), "every complete line is taken");
        fuzz::require(m_rx.pending().size() <= ReceiveBuffer::Limit, "the unfinished line stays within the limit");
    }

    const std::vector<QByteArray> &lines() const { return m_lines; }
    const QByteArray &pending() const { return m_rx.pending(); }

private:
    void dispatch(const QByteArray &line)
    {
        fuzz::require(line.endsWith('\r') && line.indexOf('\r') == line.size() - 1, "a line is one CR-ended reply");
        fuzz::require(line.size() <= ReceiveBuffer::Limit, "a line is within the limit");
        fuzz::require(!line.startsWith('\n'), "no line begins with a line feed");
        m_lines.push_back(line);

        switch (line.front()) {
        case '@': {
            const protocol::Identity id = protocol::decodeIdentity(line);
            fuzz::require(id.version.size() <= 4 && id.model.size() <= 9 && id.serial.size() <= 4,
                          "identity texts are at most their field widths");
            m_deviceFound = true;
            break;
        }
        case 'C':
            protocol::applyLiveRecord(line, m_live);
            checkInput(m_live.sp);
            checkInput(m_live.pv);
            fuzz::require(m_live.er.value == float(m_live.er.raw / 10.0), "the error is its reading in percent");
            m_trend.shift(num::toInt16(m_live.sp.value), num::toInt16(m_live.pv.value));
            fuzz::require(m_trend[TrendBuffer::TrendLength].sp >= 0 && m_trend[TrendBuffer::TrendLength].sp <= 3277,
                          "the newest trend entry is a whole percentage of a reading");
            break;
        case 'A':
            protocol::applyLevelRecord(line, m_live);
            checkInput(m_live.lv);
            break;
        case 'P': {
            ParameterSet decoded = m_parameters;
            if (params::DecodeParameterBlock(line, decoded)) {
                fuzz::require(line.size() == params::ReplyLength, "only a full-length reply is decoded");
                m_parameters = decoded;
                m_paramsReceived = true;
            } else {
                fuzz::require(decoded == m_parameters, "a refused reply leaves the parameters as they were");
            }
            break;
        }
        case 'O':
            m_replyOk = m_replyOk || protocol::isOk(line);
            break;
        case 'F':
            m_replyFail = m_replyFail || protocol::isFail(line);
            break;
        default:
            break;
        }
    }

    // SP, PV and level: a fault reads as 0 %, any other reading as itself.
    static void checkInput(const Reading &reading)
    {
        if (reading.raw < 0)
            fuzz::require(reading.value == 0.0f, "a negative reading shows 0 %");
        else
            fuzz::require(reading.value == float(reading.raw / 10.0), "a reading is its tenths in percent");
        fuzz::require(std::isfinite(reading.value) && !reading.text.isEmpty(), "a reading has a value and a text");
    }

    ReceiveBuffer m_rx;
    std::vector<QByteArray> m_lines;
    LiveValues m_live;
    TrendBuffer m_trend;
    ParameterSet m_parameters;
    bool m_deviceFound = false;
    bool m_paramsReceived = false;
    bool m_replyOk = false;
    bool m_replyFail = false;
};

// The framing written out plainly: every CR ends a line, line feeds at the
// start of a line are dropped, and a line longer than the limit is dropped
// whole. Returns the lines and the unfinished rest.
std::pair<std::vector<QByteArray>, QByteArray> referenceFraming(QByteArrayView stream)
{
    std::vector<QByteArray> lines;
    QByteArray current;
    bool atStart = true;
    for (const char c : stream) {
        if (atStart && c == '\n')
            continue;
        atStart = false;
        current += c;
        if (c == '\r') {
            if (current.size() <= ReceiveBuffer::Limit)
                lines.push_back(current);
            current.clear();
            atStart = true;
        }
    }
    if (current.size() > ReceiveBuffer::Limit)
        current.clear();
    return {lines, current};
}

} // namespace

namespace fuzz {

int port(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t sizeCount = std::min<size_t>(data[0] & 7, size - 1);
    const uint8_t *pieceSizes = data + 1;
    const QByteArrayView stream(reinterpret_cast<const char *>(data + 1 + sizeCount), qsizetype(size - 1 - sizeCount));

    PortHarness cut;
    qsizetype at = 0;
    for (size_t i = 0; at < stream.size(); ++i) {
        // Sizes 1..256; a 0 stands for 256.
        const qsizetype length = sizeCount == 0 ? stream.size() : (pieceSizes[i % sizeCount] == 0 ? 256 : pieceSizes[i % sizeCount]);
        const qsizetype n = std::min(length, stream.size() - at);
        cut.receive(stream.sliced(at, n));
        at += n;
    }

    const auto [lines, rest] = referenceFraming(stream);
    require(cut.lines() == lines, "the lines are the stream's replies, however it was cut");
    require(cut.pending() == rest, "what waits is the unfinished reply");
    return 0;
}

} // namespace fuzz
