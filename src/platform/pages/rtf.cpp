#include "platform/pages/rtf.h"

#include <QStringDecoder>

namespace pages {

namespace {

struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    double size = 0;
    int color = 0;        // index into the colour table; 0 is the default
    bool skip = false;    // inside a destination that is not text
    int unicodeSkip = 1;  // characters after \uN to drop
};

class Reader {
public:
    explicit Reader(const QString &rtf) : m_in(rtf) {}

    std::vector<RichRun> read()
    {
        std::vector<State> stack;
        State state;
        int pendingSkip = 0;
        for (m_pos = 0; m_pos < m_in.size();) {
            const QChar c = m_in[m_pos];
            if (c == u'{') {
                stack.push_back(state);
                ++m_pos;
                // "{\*\dest ...}" is a destination a reader may ignore.
                if (m_in.mid(m_pos, 2) == u"\\*")
                    state.skip = true;
            } else if (c == u'}') {
                if (m_inColorTable && stack.size() <= m_colorTableDepth)
                    m_inColorTable = false;
                if (!stack.empty()) {
                    state = stack.back();
                    stack.pop_back();
                }
                ++m_pos;
            } else if (c == u'\\') {
                controlWord(state, stack.size(), pendingSkip);
            } else if (c == u'\r' || c == u'\n') {
                ++m_pos;
            } else {
                ++m_pos;
                if (pendingSkip > 0) {
                    --pendingSkip;
                    continue;
                }
                if (m_inColorTable) {
                    if (c == u';')
                        finishColor();
                    continue;
                }
                if (!state.skip)
                    emitText(QString(c), state);
            }
        }
        return m_runs;
    }

private:
    void controlWord(State &state, size_t depth, int &pendingSkip)
    {
        ++m_pos;  // the backslash
        if (m_pos >= m_in.size())
            return;
        const QChar c = m_in[m_pos];
        if (!c.isLetter()) {
            ++m_pos;
            if (c == u'\'') {
                const int code = m_in.mid(m_pos, 2).toInt(nullptr, 16);
                m_pos += 2;
                if (pendingSkip > 0) {
                    --pendingSkip;
                } else if (!state.skip) {
                    const char byte = char(code);
                    emitText(m_decoder.isValid() ? m_decoder.decode(QByteArrayView(&byte, 1))
                                                 : QString(QChar(code)),
                             state);
                }
            } else if (c == u'~') {
                if (!state.skip)
                    emitText(QString(QChar(0xa0)), state);
            } else if (c == u'\\' || c == u'{' || c == u'}') {
                if (!state.skip)
                    emitText(QString(c), state);
            } else if (c == u'\r' || c == u'\n') {
                if (!state.skip)
                    emitText(QStringLiteral("\r"), state);
            }
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && m_in[m_pos].isLetter())
            ++m_pos;
        const QString word = m_in.mid(start, m_pos - start);
        bool hasParam = false;
        int param = 0;
        const qsizetype numberStart = m_pos;
        if (m_pos < m_in.size() && (m_in[m_pos] == u'-' || m_in[m_pos].isDigit())) {
            ++m_pos;
            while (m_pos < m_in.size() && m_in[m_pos].isDigit())
                ++m_pos;
            param = m_in.mid(numberStart, m_pos - numberStart).toInt(&hasParam);
        }
        if (m_pos < m_in.size() && m_in[m_pos] == u' ')
            ++m_pos;
        const bool on = !hasParam || param != 0;

        if (word == u"fonttbl" || word == u"stylesheet" || word == u"info" || word == u"pict"
            || word == u"object" || word == u"header" || word == u"footer" || word == u"fldinst"
            || word == u"listtable" || word == u"listoverridetable") {
            state.skip = true;
        } else if (word == u"colortbl") {
            m_inColorTable = true;
            m_colorTableDepth = depth;
            m_red = m_green = m_blue = -1;
        } else if (m_inColorTable) {
            if (word == u"red") m_red = param;
            else if (word == u"green") m_green = param;
            else if (word == u"blue") m_blue = param;
        } else if (word == u"ansicpg") {
            m_decoder = QStringDecoder(QByteArray("windows-" + QByteArray::number(param)).constData());
        } else if (word == u"b") {
            state.bold = on;
        } else if (word == u"i") {
            state.italic = on;
        } else if (word == u"ul") {
            state.underline = on;
        } else if (word == u"ulnone") {
            state.underline = false;
        } else if (word == u"strike") {
            state.strike = on;
        } else if (word == u"fs") {
            state.size = hasParam ? param / 2.0 : 0;
        } else if (word == u"cf") {
            state.color = param;
        } else if (word == u"plain") {
            const bool skip = state.skip;
            state = State{};
            state.skip = skip;
        } else if (word == u"par" || word == u"line" || word == u"sect" || word == u"page") {
            if (!state.skip)
                emitText(QStringLiteral("\r"), state);
        } else if (word == u"tab") {
            if (!state.skip)
                emitText(QStringLiteral("\t"), state);
        } else if (word == u"uc") {
            state.unicodeSkip = param;
        } else if (word == u"u") {
            if (!state.skip)
                emitText(QString(QChar(char16_t(param < 0 ? param + 65536 : param))), state);
            pendingSkip = state.unicodeSkip;
        } else if (word == u"emdash" || word == u"endash") {
            if (!state.skip)
                emitText(QString(QChar(word == u"emdash" ? 0x2014 : 0x2013)), state);
        } else if (word == u"bullet") {
            if (!state.skip)
                emitText(QString(QChar(0x2022)), state);
        }
    }

    void finishColor()
    {
        m_colors.push_back(m_red < 0 ? std::optional<QRgb>() : std::optional<QRgb>(qRgb(m_red, std::max(0, m_green), std::max(0, m_blue))));
        m_red = m_green = m_blue = -1;
    }

    void emitText(const QString &text, const State &state)
    {
        std::optional<QRgb> color;
        if (state.color > 0 && size_t(state.color) < m_colors.size())
            color = m_colors[size_t(state.color)];
        RichRun run;
        run.bold = state.bold;
        run.italic = state.italic;
        run.underline = state.underline;
        run.strike = state.strike;
        run.size = state.size;
        run.color = color;
        if (!m_runs.empty()) {
            RichRun &last = m_runs.back();
            RichRun probe = run;
            probe.text = last.text;
            if (probe == last) {
                last.text += text;
                return;
            }
        }
        run.text = text;
        m_runs.push_back(run);
    }

    const QString &m_in;
    qsizetype m_pos = 0;
    std::vector<RichRun> m_runs;
    std::vector<std::optional<QRgb>> m_colors;
    bool m_inColorTable = false;
    size_t m_colorTableDepth = 0;
    int m_red = -1, m_green = -1, m_blue = -1;
    QStringDecoder m_decoder{QStringDecoder::Latin1};
};

}  // namespace

std::vector<RichRun> parseRtf(const QString &rtf)
{
    if (!rtf.trimmed().startsWith(QStringLiteral("{\\rtf"))) {
        RichRun plain;
        plain.text = rtf;
        return {plain};
    }
    return Reader(rtf).read();
}

}  // namespace pages
