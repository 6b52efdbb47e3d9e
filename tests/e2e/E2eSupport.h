#pragma once

#include <string>
#include <vector>

// The browser stand-in's log: the addresses "opened" so far.
std::vector<std::wstring> OpenedAddresses();
