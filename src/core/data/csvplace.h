#pragma once

// Where in a CSV file a position lies: its line (from 1) and its field (from 1). Quotes, commas
// and line breaks are single bytes below 0x40 in both encodings, never part of a longer
// character, so the same walk serves bytes that could not be decoded and decoded text, fed
// a piece at a time.
namespace csv {

class Locator
{
public:
    void feed(char16_t c)
    {
        if (c == u'"') {
            m_quoted = !m_quoted; // a doubled quote toggles twice
        } else if (c == u'\n' && m_afterCr) {
            // the line feed of a CR LF: the line was counted at its CR
        } else if (c == u'\r' || c == u'\n') {
            ++m_line;
            if (!m_quoted)
                m_column = 1;
        } else if (c == u',' && !m_quoted) {
            ++m_column;
        }
        m_afterCr = c == u'\r';
    }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    int m_line = 1;
    int m_column = 1;
    bool m_quoted = false;
    bool m_afterCr = false;
};

} // namespace csv
