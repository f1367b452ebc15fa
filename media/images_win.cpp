#include "media/output.h"

// The Win32 build has no mtools to run; the Linux build writes images.
bool CanWriteFloppyImages()
{
    return false;
}

bool WriteFloppyImage(const CMediumKind&, int, const std::string&, const std::string&, std::string& problem)
{
    problem = "mtools";
    return false;
}
