#pragma once
// One schematic exactly as the Protel ASCII reader takes it from a file: the
// font table, the library of components with the graphics of their parts, the
// sheet parameters and the sheet's element records.
//
// Reader, circuit builder, hot-spot builders and renderer all index this model
// by the same positions, so the kind codes, the parameter order and the Y
// transforms applied at load are a contract between them:
// - Params hold a record's numeric fields in file order (see the per-kind
//   index names below for the ones other code relies on).
// - Y values of the sheet's own elements are stored as SheetHeight - Y (Y grows
//   downwards); library graphics keep the file's component-local Y (growing
//   upwards), except the kinds that always flip, which are stored as -Y there.
//   Pins are never transformed, nor any X or size.
// Texts are UTF-8 (the file's code page 936 is decoded on reading).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace schematic {

// Codes are named by the file's record keywords; 9, 10, 11, 15 and 16 are never produced.
enum class SchElementKind : int32_t {
    Part = 1,
    Wire = 2,
    Bus = 3,
    BusEntry = 4,
    Junction = 5,
    PowerObject = 6,
    Port = 7,
    NetLabel = 8,
    SimProbe = 12,
    SimVector = 13,
    SimStimulus = 14,
    TextFrame = 17,
    Polyline = 18,
    Bezier = 19,
    Arc = 20,
    EllipticalArc = 21,
    Polygon = 22,
    Rectangle = 23,
    RoundRectangle = 24,
    Ellipse = 25,
    Pie = 26,
    Image = 27,
    Label = 28,
    Line = 29,
    Pin = 30,
};

// The record keyword of a kind ("Part", "Wire", ...).
const char* kindKeyword(SchElementKind kind);

// Parameter positions of a Part element that the builder and the view rely on.
// P10..P16 come from the part's Designator line, P17..P23 from its PartType
// line and P24..P28 from its line in the file's Version 2.0 section; each block
// stays 0 when the file has no such line.
namespace part_param {
constexpr int X = 0;
constexpr int Y = 1;
constexpr int Mirror = 3;        // 1 = mirrored
constexpr int Orientation = 4;   // quarter turns
constexpr int PartNo = 6;        // part within its component, from 1
constexpr int CompIndex = 7;     // index into SchSheet::comps
constexpr int ShowHidden = 9;
constexpr int DesignatorX = 10;
constexpr int DesignatorY = 11;
constexpr int DesignatorColor = 13;
constexpr int DesignatorFont = 14;
constexpr int DesignatorHidden = 16;
constexpr int PartTypeX = 17;
constexpr int PartTypeY = 18;
constexpr int PartTypeColor = 20;
constexpr int PartTypeFont = 21;
constexpr int PartTypeHidden = 23;
constexpr int FillColor = 24;
constexpr int LineColor = 25;
constexpr int PinColor = 26;
constexpr int ColorOverride = 27;  // 1 = use P24..P26 instead of the graphics' colours
constexpr int Count = 29;
}  // namespace part_param

// Text positions of a Part element: T4 onwards are the kept descriptions
// (the first one names a memory part's image file).
namespace part_text {
constexpr int Designator = 2;
constexpr int PartType = 3;
constexpr int FirstDescription = 4;
}  // namespace part_text

// Parameter and text positions of a Pin element (never Y-transformed).
namespace pin_param {
constexpr int Hidden = 3;
constexpr int Length = 6;
constexpr int X = 7;
constexpr int Y = 8;
constexpr int Direction = 9;  // 0 right, 1 up, 2 left, 3 down
constexpr int Count = 11;
}  // namespace pin_param
namespace pin_text {
constexpr int Name = 0;
constexpr int Number = 1;  // a text; read as a number by the circuit builder
}  // namespace pin_text

// One record: a kind code, integer parameters in the file's field order, texts.
struct SchElement {
    SchElementKind kind = SchElementKind::Part;
    std::vector<int32_t> params;
    // Number of text lines of a TextFrame (its Texts hold them plus one empty
    // last entry); 0 for every other kind.
    int32_t textCount = 0;
    std::vector<std::string> texts;

    // Parameter i, or 0 when the element has no such parameter.
    int32_t param(std::size_t i) const { return i < params.size() ? params[i] : 0; }
    // Text i, or an empty text when the element has no such text.
    const std::string& text(std::size_t i) const;

    friend bool operator==(const SchElement&, const SchElement&) = default;
};

// The drawing of one part of a component, in component-local units.
struct SchPartGraphics {
    std::vector<SchElement> elements;

    friend bool operator==(const SchPartGraphics&, const SchPartGraphics&) = default;
};

// A library component. Part number k is at parts[k - 1]. Nothing in the
// system reads names or the five library texts; they are kept as read.
struct SchComponent {
    std::vector<SchPartGraphics> parts;
    std::vector<std::string> names;
    std::string libText1, libText2, libText3, libText4, libText5;

    friend bool operator==(const SchComponent&, const SchComponent&) = default;
};

// A font of the file's font table. The view builds its own drawing fonts per
// slot and zoom from these fields.
struct SchFont {
    int32_t size = 0;
    int32_t rotation = 0;  // degrees
    int32_t underline = 0;
    int32_t italic = 0;
    int32_t bold = 0;
    int32_t strikeOut = 0;
    std::string faceName;

    friend bool operator==(const SchFont&, const SchFont&) = default;
};

struct SchSheet {
    // Highest font slot: the file's font count + 3. File font n is in slot
    // n + 2; slots 0, 1, 2 and fontSlotMax stay empty (the view fills 0..2 with
    // turned copies of slot 3). After a read fonts has fontSlotMax + 1 entries.
    int32_t fontSlotMax = 0;
    std::vector<SchFont> fonts;
    std::vector<SchComponent> comps;
    int32_t orientation = 0;
    int32_t borderColor = 0;
    int32_t sheetColor = 0;
    int32_t sheetParam10 = 0;
    int32_t sheetParam11 = 0;
    int32_t sheetSizeA = 0;
    int32_t sheetSizeB = 0;
    std::vector<SchElement> elements;

    // The height the sheet's Y values were flipped against: SizeB when the
    // orientation is 0, SizeA otherwise. The other size is the width.
    int32_t sheetHeight() const { return orientation == 0 ? sheetSizeB : sheetSizeA; }
    int32_t sheetWidth() const { return orientation == 0 ? sheetSizeA : sheetSizeB; }

    bool empty() const;
    void clear() { *this = SchSheet{}; }

    // The library graphics a Part element draws with (Comps(P7).Parts(P6 - 1)),
    // or nullptr when the element is no Part or its indexes name nothing.
    const SchPartGraphics* partGraphics(const SchElement& part) const;
    // The font a record names by its number in the file's font table (slot
    // id + 2), or nullptr when that slot does not exist.
    const SchFont* fontById(int32_t id) const;

    friend bool operator==(const SchSheet&, const SchSheet&) = default;
};

}  // namespace schematic
