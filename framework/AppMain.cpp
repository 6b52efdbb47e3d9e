// The program's entry point: hands over to the framework.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, nCmdShow);
}
