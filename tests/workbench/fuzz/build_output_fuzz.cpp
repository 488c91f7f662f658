// Feeds arbitrary assembler output (code page 936, as the program reads it)
// to the build-output parser for each edition's rules; the first byte picks
// the edition and whether an extension-instruction file takes part. The
// verdict must be one the build can show: line numbers in their ranges, the
// raw output unchanged.
#include "platform/codepage.h"
#include "workbench/build_output_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "build output: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const editions::EditionProfile* profiles[] = {&editions::profileCorvane16(), &editions::profileCorvane(),
                                                  &editions::profileCorvane8()};
    const editions::AssemblerProfile& assembler = profiles[data[0] % 3]->assembler;
    using workbench::BuildOutput;
    using Kind = workbench::BuildVerdict::Kind;
    const BuildOutput out{platform::fromCp936(QByteArrayView(data + 1, static_cast<qsizetype>(size - 1))),
                          QStringLiteral("AB12CD34"), (data[0] & 4) ? QStringLiteral("IJ90KL12.INS") : QString(),
                          QStringLiteral("/home/u/prog.asm"), QStringLiteral("/home/u/ext.ins"), QStringLiteral("prog")};
    const workbench::BuildVerdict v = workbench::parseBuildOutput(assembler, out);
    switch (v.kind) {
        case Kind::RawOutput:
            if (v.message != out.text) fail("raw output changed");
            break;
        case Kind::Success:
            if (v.message != workbench::successText(assembler, out.baseName)) fail("another success text");
            break;
        case Kind::SourceError:
            if (v.line < 0 || v.line > 65535 || v.showIns) fail("a source line out of range");
            break;
        case Kind::InsError:
            if (v.line < -1 || v.line > 65536 || (v.showIns && out.i.isEmpty())) fail("an extension-file line out of range");
            break;
        case Kind::Other:
            if (v.line != 0 || v.showIns) fail("a line for a plain message");
            break;
    }
    return 0;
}
