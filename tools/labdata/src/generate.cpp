#include "generate.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "board_plan.h"
#include "board_sheet.h"
#include "circuit_plan.h"
#include "circuit_sheet.h"
#include "diagram_plan.h"
#include "diagram_sheet.h"
#include "lab_script.h"
#include "memory_plan.h"
#include "microcode.h"
#include "plan_text.h"
#include "platform/whole_file.h"
#include "rtf_text.h"
#include "schgen/sch_writer.h"

namespace labdata {
namespace {

namespace fs = std::filesystem;

constexpr int kMicrocodeChips = 3;
constexpr std::size_t kEpromBytes = 4096;

std::string asString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Runs `make`, naming the description file in a description error.
template <class F>
auto naming(const fs::path& path, F make) {
    try {
        return make();
    } catch (const PlanError& e) {
        throw std::runtime_error(path.filename().string() + ", " + e.what());
    }
}

// Runs `make` on a description file, naming the file in a description error.
template <class F>
auto fromFile(const fs::path& path, F make) {
    const std::string text = readWholeFile(path);
    return naming(path, [&] { return make(text); });
}

std::vector<fs::path> sortedFiles(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().extension() == extension) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<TextParagraph> procedureSteps(const LabScript& script) {
    std::vector<TextParagraph> out;
    for (std::size_t i = 0; i < script.steps.size(); ++i) {
        out.push_back({TextParagraph::Style::Step, std::to_string(i + 1) + "．" + script.steps[i].description});
        for (const std::string& line : describeStep(script.steps[i])) out.push_back({TextParagraph::Style::StepDetail, line});
    }
    return out;
}

}  // namespace

std::string readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<GeneratedFile> generateLabData(const fs::path& sourceDir) {
    std::vector<GeneratedFile> out;

    const CircuitPlan circuit = fromFile(sourceDir / "circuit.txt", parseCircuitPlan);
    const schematic::SchSheet board = boardSheet(fromFile(sourceDir / "board.txt", parseBoardPlan), circuit);
    out.push_back({"board.sch", schgen::writeSchBytes(board)});
    out.push_back({kDefaultCircuit,
                   schgen::writeSchBytes(naming(sourceDir / "circuit.txt", [&] { return circuitSheet(circuit); }))});
    for (const DiagramPlan& d : fromFile(sourceDir / "diagrams.txt", parseDiagramPlans))
        out.push_back({d.file, schgen::writeSchBytes(diagramSheet(d))});

    // Procedure texts ("{steps}") take the steps of the script of the same
    // experiment: texts/NAME_b.txt those of scripts/NAME.txt.
    for (const fs::path& source : sortedFiles(sourceDir / "texts", ".txt")) {
        const std::string text = readWholeFile(source);
        std::vector<TextParagraph> steps;
        if (text.find("{steps}") != std::string::npos) {
            const std::string stem = source.stem().string();
            const fs::path script = sourceDir / "scripts" / (stem.substr(0, stem.rfind('_')) + ".txt");
            steps = procedureSteps(fromFile(script, parseLabScript));
        }
        out.push_back({source.stem().string() + ".rtf", rtfDocument(parseTextSource(text, steps))});
    }

    // The microcode chips: byte k of each microword in chip k.
    const std::map<int32_t, MicroWord> microcode = fromFile(sourceDir / "microcode.txt", assembleMicrocode);
    for (int chip = 0; chip < kMicrocodeChips; ++chip) {
        std::string image(kEpromBytes, '\0');
        for (const auto& [address, word] : microcode) image[static_cast<std::size_t>(address)] = static_cast<char>(word[chip]);
        out.push_back({"ucode" + std::to_string(chip) + ".bin", image});
    }
    const std::map<int32_t, MicroWord> lights = fromFile(sourceDir / "lights.txt", assembleMicrocode);
    std::vector<uint8_t> lightBytes;
    int32_t next = 0;
    for (const auto& [address, word] : lights) {
        if (address != next++) throw std::runtime_error("lights.txt: the running lights must fill addresses from 0 without gaps");
        lightBytes.insert(lightBytes.end(), word.begin(), word.end());
    }
    out.push_back({"ucode_lights.cod", asString(memoryDataFile(0, kMicrocodeChips, lightBytes))});

    for (const MemoryFilePlan& m : fromFile(sourceDir / "memory.txt", parseMemoryPlan))
        out.push_back({m.file, m.isCod ? asString(memoryDataFile(m.start, m.chips, m.bytes)) : asString(m.bytes)});

    std::sort(out.begin(), out.end(), [](const GeneratedFile& a, const GeneratedFile& b) { return a.name < b.name; });
    for (std::size_t i = 1; i < out.size(); ++i)
        if (out[i].name == out[i - 1].name) throw std::runtime_error("two files named " + out[i].name);
    return out;
}

bool writeLabData(const std::vector<GeneratedFile>& files, const fs::path& outDir, std::string& error) {
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec) {
        error = "cannot create " + outDir.string() + ": " + ec.message();
        return false;
    }
    for (const GeneratedFile& f : files) {
        const fs::path path = outDir / fs::path(f.name);
        const platform::WholeFileWrite written =
            platform::writeWholeFile(QString::fromStdString(path.string()), QByteArray::fromStdString(f.bytes));
        if (!written.ok) {
            error = "cannot write " + path.string() + ": " + written.error.toStdString();
            return false;
        }
    }
    return true;
}

}  // namespace labdata
