#pragma once

#include <string>

// Ship names become image file names in the page's folder. A name that could
// not be a file name there, or that would lead out of the folder, is mapped to
// a safe one; ordinary names stay exactly as they are.
// A suffix (" (2)") goes between the name and the extension, and the name is
// shortened so that the whole stays within the file system's limit.
std::string ImageFileName(const std::string& shipName, const std::string& suffix = {});

// The same name as it may stand in an IMG tag's SRC and ALT attributes.
std::string ImageSourceAttribute(const std::string& fileName);
// The file name an SRC attribute made by ImageSourceAttribute stands for.
std::string FileNameOfSource(const std::string& source);
std::string AltAttribute(const std::string& shipName);

// The folder of a page path (up to its last separator), or empty.
std::string FolderOf(const std::string& path);
// The file's own name: what follows the folder.
std::string FileNameOf(const std::string& path);
// folder + "/" + name, with no separator doubled and none leading the name
// when the folder is empty (the current folder). "\\" separates folders too
// where the platform says so.
std::string JoinPath(const std::string& folder, const std::string& name);
