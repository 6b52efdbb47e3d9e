// The in-process window tests: the framework, the form, the shell and the About box, with real
// windows under the program's own resources.
#include <gtest/gtest.h>

#include "framework/afxwin.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AfxWinInit(::GetModuleHandleW(nullptr));
    return RUN_ALL_TESTS();
}
