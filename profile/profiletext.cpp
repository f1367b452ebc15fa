#include "profile/profiletext.h"

namespace {

using Text = CProfileText::Text;

// The first and one-past-last character of s[begin, end) without blanks.
void Trim(const Text& s, std::size_t& begin, std::size_t& end)
{
    while (begin < end && CProfileText::IsBlank(s[begin]))
        ++begin;
    while (end > begin && CProfileText::IsBlank(s[end - 1]))
        --end;
}

Text TrimmedCopy(const Text& s)
{
    std::size_t begin = 0;
    std::size_t end = s.size();
    Trim(s, begin, end);
    return s.substr(begin, end - begin);
}

Text WithoutLeadingBlanks(const Text& s)
{
    std::size_t begin = 0;
    while (begin < s.size() && CProfileText::IsBlank(s[begin]))
        ++begin;
    return s.substr(begin);
}

bool HasLineBreak(const Text& s)
{
    return s.find_first_of(u"\r\n") != Text::npos;
}

const Text kCrLf = u"\r\n";

}  // namespace

bool CProfileText::IsBlank(char16_t c)
{
    // ^Z is the end-of-file mark of old media. The ideographic space of code
    // page 932 is not a blank to these functions.
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

Text CProfileText::Fold(const Text& name)
{
    // Letter case is ignored for ASCII letters only: full-width ones differ.
    Text folded = name;
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    }
    return folded;
}

void CProfileText::Clear()
{
    m_sections.clear();
    m_index.clear();
}

void CProfileText::AddSection(Text name)
{
    m_index.emplace(Fold(name), m_sections.size());
    m_sections.push_back(Section());
    m_sections.back().m_name = std::move(name);
}

void CProfileText::AddKey(Section& section, Key key)
{
    section.m_index.emplace(Fold(key.m_name), section.m_keys.size());
    section.m_keys.push_back(std::move(key));
}

void CProfileText::Load(const Text& text)
{
    Clear();
    // Keys before the first header belong to a section without a name.
    AddSection(Text());
    bool previousKeyUnnamed = false;   // reset by every header
    std::size_t next = 0;
    const std::size_t size = text.size();
    while (next < size) {
        std::size_t begin = next;
        while (next < size && text[next] != u'\n' && text[next] != u'\r')
            ++next;
        while (next < size && (text[next] == u'\n' || text[next] == u'\r'))
            ++next;
        std::size_t end = next;
        Trim(text, begin, end);
        if (begin >= end)
            continue;

        if (text[begin] == u'[') {
            std::size_t close = end;
            while (close > begin && text[close - 1] != u']')
                --close;
            if (close > begin) {
                std::size_t nameBegin = begin + 1;
                std::size_t nameEnd = close - 1;
                Trim(text, nameBegin, nameEnd);
                AddSection(text.substr(nameBegin, nameEnd - nameBegin));
                previousKeyUnnamed = false;
                continue;
            }
            // No "]": an ordinary key line.
        }

        Key key;
        std::size_t nameEnd = end;
        std::size_t equals = begin;
        while (equals < end && text[equals] != u'=')
            ++equals;
        if (equals < end) {
            nameEnd = equals;
            while (nameEnd > begin && IsBlank(text[nameEnd - 1]))
                --nameEnd;
            std::size_t valueBegin = equals + 1;
            while (valueBegin < end && IsBlank(text[valueBegin]))
                ++valueBegin;
            key.m_bHasValue = true;
            key.m_value = text.substr(valueBegin, end - valueBegin);
        }
        key.m_name = text.substr(begin, nameEnd - begin);
        // An unnamed key right after another unnamed one is not kept.
        if (!key.m_name.empty() || !previousKeyUnnamed) {
            previousKeyUnnamed = key.m_name.empty();
            AddKey(m_sections.back(), std::move(key));
        }
    }
}

void CProfileText::AppendKeyLine(Text& out, const Key& key)
{
    out += key.m_name;
    if (key.m_bHasValue) {
        out += u'=';
        out += key.m_value;
    }
    out += kCrLf;
}

void CProfileText::AppendHeader(Text& out, const Text& name)
{
    if (name.empty())
        return;
    out += u'[';
    out += name;
    out += u']';
    out += kCrLf;
}

Text CProfileText::Save() const
{
    Text out;
    for (const Section& section : m_sections) {
        AppendHeader(out, section.m_name);
        for (const Key& key : section.m_keys)
            AppendKeyLine(out, key);
    }
    return out;
}

bool CProfileText::ReadBackKey(const Key& written, Key& read)
{
    // A line that reads back as something else (a header, a key split at
    // another "=", two lines, an unnamed key that reading may drop) is left
    // to a reading of the whole text.
    if (HasLineBreak(written.m_name) || HasLineBreak(written.m_value) ||
        written.m_name.find(u'=') != Text::npos)
        return false;
    read.m_name = TrimmedCopy(written.m_name);
    if (read.m_name.empty() || read.m_name[0] == u'[')
        return false;
    read.m_bHasValue = written.m_bHasValue;
    read.m_value = TrimmedCopy(written.m_value);
    return true;
}

bool CProfileText::ReadBackHeader(const Text& written, Text& read)
{
    if (HasLineBreak(written))
        return false;
    read = TrimmedCopy(written);
    return true;
}

CProfileText::Change CProfileText::Set(const Text& sectionName, const Text& keyName,
                                       const Text& value, Text& output, bool& canonical)
{
    output.clear();
    canonical = true;
    // A file that does not exist yet reads back with a nameless first
    // section before the new one: let a full reading set that up.
    const bool wasEmpty = m_sections.empty();
    // Looked up without the blanks around the names; created with the
    // trailing ones, as asked.
    const Text section = WithoutLeadingBlanks(sectionName);
    const Text key = WithoutLeadingBlanks(keyName);
    Key fresh;
    fresh.m_name = key;
    fresh.m_bHasValue = true;
    fresh.m_value = WithoutLeadingBlanks(value);

    std::size_t sectionIndex = 0;
    std::size_t keyIndex = 0;
    Change change = Change::Rewritten;
    bool newSection = false;
    const auto foundSection = m_index.find(Fold(TrimmedCopy(section)));
    if (foundSection == m_index.end()) {
        newSection = true;
        sectionIndex = m_sections.size();
        AddSection(section);
        AppendHeader(output, section);
        AppendKeyLine(output, fresh);
        AddKey(m_sections.back(), fresh);
        change = Change::Appended;
    } else {
        sectionIndex = foundSection->second;
        Section& target = m_sections[sectionIndex];
        const auto foundKey = target.m_index.find(Fold(TrimmedCopy(key)));
        if (foundKey == target.m_index.end()) {
            keyIndex = target.m_keys.size();
            const bool last = sectionIndex + 1 == m_sections.size();
            if (last) {
                AppendKeyLine(output, fresh);
                change = Change::Appended;
            }
            AddKey(target, fresh);
        } else {
            keyIndex = foundKey->second;
            Key& current = target.m_keys[keyIndex];
            if (current.m_bHasValue && current.m_value == fresh.m_value)
                return Change::None;
            current.m_bHasValue = true;
            current.m_value = fresh.m_value;
        }
    }
    if (change == Change::Rewritten)
        output = Save();

    // The contents as the next reading of the written file gives them.
    Section& changed = m_sections[sectionIndex];
    const std::size_t changedKey = newSection ? 0 : keyIndex;
    Key readKey;
    Text readName;
    const bool keyReadsBack = ReadBackKey(changed.m_keys[changedKey], readKey);
    const bool headerReadsBack = !newSection || ReadBackHeader(changed.m_name, readName);
    if (wasEmpty || !keyReadsBack || !headerReadsBack) {
        Load(output);   // rare: let a full reading decide
        canonical = Save() == output;
        return change;
    }
    // A key that reading renames may now match an earlier one, or the new
    // section an earlier section: the index keeps first occurrences, so
    // rebuild the affected index entries from the read-back names.
    const Key& written = changed.m_keys[changedKey];
    if (written.m_name != readKey.m_name || written.m_value != readKey.m_value)
        canonical = false;
    if (written.m_name != readKey.m_name) {
        changed.m_index.erase(Fold(written.m_name));
        changed.m_keys[changedKey] = readKey;
        changed.m_index.emplace(Fold(readKey.m_name), changedKey);
    } else {
        changed.m_keys[changedKey].m_value = readKey.m_value;
    }
    if (newSection && readName != changed.m_name) {
        canonical = false;
        m_index.erase(Fold(changed.m_name));
        changed.m_name = readName;
        m_index.emplace(Fold(readName), sectionIndex);
    }
    return change;
}
