// The stored font record and the common dialogs' structures have the sizes the 32-bit program
// has always had: the registry holds the font record as bytes, and the file choosers are
// given the classic structure.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>

#ifndef _WIN64
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA");
// OPENFILENAME_SIZE_VERSION_400A: the structure up to and with lpTemplateName
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "OPENFILENAMEA, classic form");
static_assert(sizeof(CHOOSECOLORA) == 36, "CHOOSECOLORA");
static_assert(sizeof(CHOOSEFONTA) == 60, "CHOOSEFONTA");
#endif
