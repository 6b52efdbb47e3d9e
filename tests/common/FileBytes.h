#pragma once

// A file's bytes, read and written whole.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A file of that name in the temporary folder.
inline std::wstring TempPath(const std::wstring& name)
{
    return (std::filesystem::temp_directory_path() / name).wstring();
}
