// Stands in for the web browser in the test prefix: appends the address it is asked to open to
// the log file named first on its command line.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 1;
    FILE* log = _wfopen(argv[1], L"a");
    if (log == nullptr)
        return 1;
    std::fprintf(log, "%ls\n", argv[2]); // web addresses are ASCII
    std::fclose(log);
    return 0;
}
