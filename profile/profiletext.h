#pragma once
// An INI file the way the Windows private-profile functions hold it: parsed
// from its whole text, changed one key at a time, and written back whole.
// Reproducing their model exactly lets a writer leave on disk the very bytes
// that WritePrivateProfileString would, while appending a record at the end
// of the file instead of rewriting the file for every record.
//
// The text is UTF-16, as the functions hold it after decoding the file from
// the ANSI code page; the caller converts. The rules are those of the
// functions as measured under Wine (each write reads the file afresh, changes
// one key and writes the whole file):
//   - lines end at CR or LF, and blanks (space, tab, CR, LF, VT, FF, ^Z)
//     around a line are dropped; empty lines go;
//   - "[" starts a header whose name, without the blanks around it, runs to
//     the line's last "]"; a "[" line without "]" is a key line;
//   - a key line is name=value with the blanks around "=" dropped, or a name
//     alone (kept without "="); lines before the first header belong to a
//     nameless first section, written without a header;
//   - an empty name directly after another empty name is dropped;
//   - sections and keys are found by name ignoring letter case and the
//     blanks around the name asked for; the first of equal names wins; a new
//     key goes to the end of its section, a new section to the end of the
//     file, both named as asked without the leading blanks (trailing ones
//     reach the file, and go when it is read again);
//   - a value loses its leading blanks; setting the value a key already has
//     changes nothing;
//   - the file is written as "[name]" CR LF, then "name=value" CR LF (or
//     "name" CR LF) per key, section by section, with no blank lines.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class CProfileText {
public:
    using Text = std::u16string;

    // Replaces the contents with a parsed file text (without byte-order mark).
    void Load(const Text& text);
    // Forgets everything, as for a file that does not exist.
    void Clear();
    // The whole file as the functions write it.
    Text Save() const;

    enum class Change {
        None,       // the key already had this value: the file is not written
        Appended,   // `output` is to be added at the end of the file
        Rewritten,  // `output` is the whole file
    };
    // WritePrivateProfileString(section, key, value) with a non-null key and
    // value, as the functions would apply it to a file whose text is Save().
    // Afterwards the contents are those of the file as read back, so the next
    // Set sees what the functions would see. `canonical` tells whether the
    // file, once written with `output`, is exactly Save() again (it is not
    // when a name or value ends in blanks that reading drops).
    Change Set(const Text& section, const Text& key, const Text& value, Text& output,
               bool& canonical);

    // White space as the functions trim it around lines, names and values.
    static bool IsBlank(char16_t c);

private:
    struct Key {
        Text m_name;
        bool m_bHasValue = false;
        Text m_value;
    };
    struct Section {
        Text m_name;
        std::vector<Key> m_keys;
        // Folded key name -> index of its first key.
        std::unordered_map<Text, std::size_t> m_index;
    };

    static Text Fold(const Text& name);
    static void AppendKeyLine(Text& out, const Key& key);
    static void AppendHeader(Text& out, const Text& name);
    // The part of a key line or header that reading keeps, when the line
    // reads back as one entry of the same kind; false otherwise.
    static bool ReadBackKey(const Key& written, Key& read);
    static bool ReadBackHeader(const Text& written, Text& read);
    void AddSection(Text name);
    void AddKey(Section& section, Key key);

    std::vector<Section> m_sections;
    // Folded section name -> index of its first section.
    std::unordered_map<Text, std::size_t> m_index;
};
