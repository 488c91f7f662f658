#include "net_references.h"

#include <QByteArray>
#include <cctype>
#include <filesystem>
#include <regex>

#include "labdata/src/generate.h"
#include "platform/rtf_reader.h"
#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"

namespace labtest {
namespace {

namespace fs = std::filesystem;

bool wordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The file's extension in lower case: the folder's names are matched without regard to case.
std::string extensionOf(const fs::path& file) {
    std::string s = file.extension().string();
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void addSheetWords(const fs::path& file, bool labelsOnly, std::set<std::string>& out) {
    schematic::SchSheet sheet;
    schematic::SilentSchNotifier quiet;
    if (schematic::ReadSchBytes(sheet, labdata::readWholeFile(file), quiet) != 1) return;
    for (const schematic::SchElement& e : sheet.elements) {
        // The circuit's own net labels are the names, not references to them.
        if (labelsOnly && e.kind != schematic::SchElementKind::Label && e.kind != schematic::SchElementKind::TextFrame)
            continue;
        for (const std::string& t : e.texts) out.merge(netWords(t));
    }
}

}  // namespace

std::set<std::string> netWords(std::string_view text) {
    std::set<std::string> out;
    const std::string s(text);
    for (std::size_t i = 0; i < s.size();) {
        if (!wordChar(s[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < s.size() && wordChar(s[end])) ++end;
        out.insert(s.substr(i, end - i));
        i = end;
    }
    // PREFIXa..PREFIXb and PREFIXa..b
    static const std::regex range(R"(([A-Za-z_][A-Za-z0-9_]*?)(\d+)\.\.([A-Za-z_][A-Za-z0-9_]*?)?(\d+))");
    for (auto m = std::sregex_iterator(s.begin(), s.end(), range); m != std::sregex_iterator(); ++m) {
        const std::string prefix = (*m)[1];
        if ((*m)[3].matched && (*m)[3] != prefix) continue;
        const long from = std::stol((*m)[2]), to = std::stol((*m)[4]);
        if (std::labs(from - to) > 64) continue;
        for (long k = std::min(from, to); k <= std::max(from, to); ++k) out.insert(prefix + std::to_string(k));
    }
    return out;
}

std::set<std::string> namesReferredTo(const std::string& dataDir, const std::string& scriptDir,
                                      const std::vector<std::string>& settings) {
    std::set<std::string> out;
    for (const std::string& s : settings) out.merge(netWords(s));
    for (const auto& e : fs::directory_iterator(scriptDir)) out.merge(netWords(labdata::readWholeFile(e.path())));
    for (const auto& e : fs::directory_iterator(dataDir)) {
        const std::string extension = extensionOf(e.path());
        if (extension == ".sch") {
            addSheetWords(e.path(), e.path().filename() == fs::path(labdata::kDefaultCircuit), out);
        } else if (extension == ".rtf") {
            const std::string bytes = labdata::readWholeFile(e.path());
            if (const auto rtf = platform::parseRtf(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))))
                out.merge(netWords(rtf->plainText().toStdString()));
        }
    }
    return out;
}

}  // namespace labtest
