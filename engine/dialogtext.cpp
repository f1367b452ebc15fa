#include "engine/dialogtext.h"

#include <windows.h>

#include "platform/handles.h"
#include "paths/mbcs.h"

std::string FormatTemplateText(const std::string& templateText, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(templateText.size() + 64);
    size_t next = 0;
    const size_t n = templateText.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(templateText[i]);
        if (IsLeadByte(c) && i + 1 < n) {
            out += templateText[i];
            out += templateText[++i];
            continue;
        }
        if (c == '%' && i + 1 < n) {
            char kind = templateText[i + 1];
            if (kind == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((kind == 's' || kind == 'd') && next < args.size()) {
                out += args[next++];
                ++i;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

bool DescribeFile(const std::string& path, const std::string& sizeTemplate,
                  const std::string& dateTemplate, std::string& sizeText, std::string& dateText)
{
    WIN32_FIND_DATAA found;
    CFindHandle find(::FindFirstFileA(path.c_str(), &found));
    if (!find)
        return false;
    while (found.cFileName[0] == '.') {
        if (!::FindNextFileA(find.Get(), &found))
            return false;
    }

    // The whole size: the low 32 bits alone would show a wrong (or negative) size
    // for files of 2 GB and more.
    ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;

    FILETIME local;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    WORD dosDate = 0, dosTime = 0;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local))
        return false;
    if (::FileTimeToDosDateTime(&local, &dosDate, &dosTime)) {
        year = 1980 + (dosDate >> 9);
        month = (dosDate >> 5) & 0x0F;
        day = dosDate & 0x1F;
        hour = dosTime >> 11;
        minute = (dosTime >> 5) & 0x3F;
        second = 2 * (dosTime & 0x1F);
    } else if (::FileTimeToSystemTime(&local, &st)) {
        // Outside 1980..2107 an MS-DOS stamp cannot hold the date; show it as it is.
        year = st.wYear;
        month = st.wMonth;
        day = st.wDay;
        hour = st.wHour;
        minute = st.wMinute;
        second = st.wSecond;
    } else {
        return false;
    }
    sizeText = FormatTemplateText(sizeTemplate, {std::to_string(size)});
    dateText = FormatTemplateText(dateTemplate,
                                  {std::to_string(year), std::to_string(month), std::to_string(day),
                                   std::to_string(hour), std::to_string(minute), std::to_string(second)});
    return true;
}
