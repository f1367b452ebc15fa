#pragma once
// A setup script as lines, so that the media builder can change single
// fields of file lines (a disk number, a size) and write the script as the
// medium carries it: code page 932, every line ended by CR LF. Lines are
// numbered as the installer's parser numbers them for messages (CR LF, LF
// CR, LF and CR each end one line), so the lines of its findings are the
// lines here.
#include <string>
#include <vector>

class CScriptLines {
public:
    explicit CScriptLines(const std::string& text);

    int Count() const { return static_cast<int>(m_lines.size()); }
    const std::string& Line(int number) const { return m_lines[static_cast<std::size_t>(number - 1)]; }

    // Replaces field `index` (0-based) of the value of the key line `number`
    // (1-based) with `text`, adding empty fields when the line has fewer.
    // Fields are those GetField sees: commas outside double quotes. False
    // when the line has no value to change.
    bool SetField(int number, int index, const std::string& text);

    // The whole script, each line followed by `lineEnd`.
    std::string Render(const char* lineEnd = "\r\n") const;

private:
    std::vector<std::string> m_lines;
};
