#pragma once
// The "$name$" path variables of setup scripts and their expansion.
// This part needs no Windows API: values come from an IPathVarSource.
#include <cstddef>
#include <string>

// The eleven variables, in the order in which expansion tries them.
enum class PathVar {
    ProgramFiles, WinDir, SysDir, InstDir, SrcDir, TmpDir, UserName,
    Desktop, StartMenu, StartUp, SendTo,
};
constexpr int kPathVarCount = 11;

// The token of a variable, as written in scripts ("$ProgramFiles$", ...).
const char* PathVarToken(PathVar v);

// Supplies the current value of each variable.
class IPathVarSource {
public:
    virtual ~IPathVarSource() = default;
    virtual std::string Value(PathVar v) = 0;
};

// Compares the first `count` bytes of a and b after upper-casing the
// single-byte letters of both (double-byte characters are left as they are).
// 0 when they agree, else the difference of the first differing bytes taken
// as signed 8-bit values. A text shorter than count differs at its NUL.
int CompareNoCaseN(const char* a, const char* b, int count);

// Smallest byte position i (0 .. len-1) where CompareNoCaseN(text+i, pattern,
// len(pattern)) is 0; -1 when there is none (always -1 for an empty text).
int FindNoCase(const std::string& text, const std::string& pattern);

// Replaces the first occurrence of pattern (ignoring letter case) by value.
// TRUE when something was replaced.
bool ReplaceFirstNoCase(std::string& s, const std::string& pattern, const std::string& value);

// Replaces every token of every variable in s by its value, again and again,
// until no token is left: tokens inside substituted values are expanded too,
// and so are tokens that a value forms together with the text around it.
// Order: the first variable in table order that occurs anywhere is replaced
// at its first occurrence, then the search starts again with the first
// variable ("$ProgramFiles$"); letter case of tokens does not matter.
//
// Values that refer to themselves: every byte remembers which variables'
// substitutions produced it. A token of a variable that includes any byte
// produced by that same variable is left as it stands, and the search goes on
// after it. A user name typed as "$UserName$" therefore stays literally in
// the result, and an install directory "$WinDir$\$InstDir$" gives the Windows
// directory followed by "\$InstDir$"; values without such a cycle expand
// exactly as before. Each value is asked of `values` at most once per call,
// and only when its token is about to be replaced.
//
// Limits: expansion stops, leaving the tokens not yet replaced as they stand,
// when a substitution would make the string longer than 1 MiB, or when the
// values substituted so far would total more than 4 MiB (values that nest
// each other many levels deep can ask for that much work with a short
// result). Real paths stay far below both.
void ExpandPathVariables(std::string& s, IPathVarSource& values);
