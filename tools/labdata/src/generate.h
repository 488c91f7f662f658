#pragma once
// Makes the whole data folder from the description files in the generator's
// folder: the default circuit, the board drawing, the block diagrams, the
// experiment texts, the memory images and the memory-data files.

#include <filesystem>
#include <string>
#include <vector>

namespace labdata {

// The name of the circuit the circuit environment starts from.
inline constexpr const char* kDefaultCircuit = "联机运行线路+存储器扩展线路 ascii.Sch";

struct GeneratedFile {
    std::string name;   // UTF-8 file name in the data folder
    std::string bytes;  // its content
};

// Throws PlanError (a mistake in a description, with its file and line) or
// std::runtime_error (a file that cannot be read).
std::vector<GeneratedFile> generateLabData(const std::filesystem::path& sourceDir);

// Writes the files into `outDir`, creating it; the error names what failed.
bool writeLabData(const std::vector<GeneratedFile>& files, const std::filesystem::path& outDir, std::string& error);

// The file's whole content; throws std::runtime_error when it cannot be read.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace labdata
