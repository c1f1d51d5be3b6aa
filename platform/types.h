#pragma once

#include <string>
#include <vector>

// The record code keeps the names it was designed with; the storage is the
// standard library's. Strings hold Windows-1252 bytes exactly as in the file.
using CString = std::string;
using CStringArray = std::vector<std::string>;

template <class T, class ArgT = T&>
using CArray = std::vector<T>;

using BOOL = int;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
