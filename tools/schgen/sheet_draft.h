#pragma once
// Drafts schematics of simulated ICs in code: sheets the circuit builder turns
// into working circuits and the view shows readably, for test fixtures and the
// lab's data folder. Write the result with writeSchFile().
//
// Coordinates are the model's: sheet units, X to the right, Y downwards from
// the sheet's top edge (the writer flips them for the file). A text stands on
// its point: the point is the text's bottom-left corner.
//
// An IC is a box whose top-left corner is the given point. Its input pins
// stand on the left, outputs, bidirectional and unused pins on the right (the
// 74LS245's A side and the Am2901's bit-0 shift ports, RAM0 and Q0, on the
// left), numbered names first (D0, D1, ... D10), then
// the controls, 10 units apart starting 10 below the top, each 20 long; VCC leaves the top and GND the bottom, in the middle.
// pinEnd() tells where a pin's outer end lies. net() draws a stub that reaches
// 30 or more units further out (longer for long names), so keep about 100
// units clear around each box and between boxes; stubs that touch join their
// nets.
//
// A pin end that lies inside a wire's segment, not on one of its vertices, is
// joined by the circuit builder all the same; such a wire, or a part whose pin
// end would land inside a wire already drawn, is refused.
//
// Programming errors (an unknown IC type, a pin the part does not have, an
// index that is no IC, a wire through a pin end) throw std::invalid_argument.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "schematic/part_transform.h"
#include "schematic/sch_model.h"

namespace schgen {

class SheetDraft {
public:
    // Font numbers for texts: the file's first font is Latin (the view also
    // draws pin names with it), the second 宋体 for Chinese text.
    static constexpr int32_t kLatinFont = 1;
    static constexpr int32_t kSongFont = 2;
    // The drafts' grid: pins stand this far apart, and wires, buses and
    // labels keep to it.
    static constexpr int32_t kGrid = 10;

    explicit SheetDraft(int32_t width = 1500, int32_t height = 1000);

    // Places an IC of `type` (an exact sim::IcTypeNames name, such as "74LS273")
    // with its designator; `descriptions` become the part's descriptions (the
    // first names the memory image of a 2732 or 6116). Returns its element index.
    int ic(const std::string& designator, const std::string& type, int32_t x, int32_t y,
           const std::vector<std::string>& descriptions = {});
    // The outer end of a pin, where wires and labels join it, and the sheet
    // direction the pin points in from the part (schematic::direction).
    schematic::SheetPoint pinEnd(int part, int pinNumber) const;
    int32_t pinDirection(int part, int pinNumber) const;
    // Connects a pin to the net `name`: a wire stub outwards from the pin's end
    // with a net label on it. Every pin given the same name ends in one net.
    // Returns the stub's element index; its label is the element after it.
    int net(int part, int pinNumber, const std::string& name);
    // The same on a stub of a given length: from the pin end `from`, which
    // points in direction `dir`, out to `to`.
    int labelledStub(schematic::SheetPoint from, int32_t dir, schematic::SheetPoint to, const std::string& name);
    // How long a stub from a pin end must be to carry a net label of `name`
    // clear of the pin number and of whatever lies beyond its end: the text
    // and a grid step at either end, and never shorter than three steps.
    static int32_t labelStubLength(std::string_view name);

    // Plain drawing; each returns the new element's index.
    int wire(const std::vector<schematic::SheetPoint>& points);
    int netLabel(int32_t x, int32_t y, const std::string& name);
    int junction(int32_t x, int32_t y);
    // A bus line and a bus entry: drawing only, the circuit builder joins
    // nothing through them, so the wires they meet carry their own labels.
    int bus(const std::vector<schematic::SheetPoint>& points);
    int busEntry(schematic::SheetPoint from, schematic::SheetPoint to);
    // A bordered frame from (x1, y1) to (x2, y2); blanks at the ends of lines
    // do not survive a file and are dropped here.
    int textFrame(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const std::vector<std::string>& lines,
                  int32_t font = kSongFont);
    int label(int32_t x, int32_t y, const std::string& text, int32_t font = kLatinFont);
    int rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    int line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    int polyline(const std::vector<schematic::SheetPoint>& points);
    // A further font for texts, such as a bold title; returns its font number
    // for label() and textFrame().
    int32_t font(int32_t size, const std::string& face, bool bold = false);
    // Places an IC as a board shows it: its package, pins 1 to n/2 down the
    // left side and the rest up the right, unnamed, the part type on the body
    // and the designator above it, in `designatorFont`. Returns its element index.
    int dip(const std::string& designator, const std::string& type, int32_t x, int32_t y,
            int32_t designatorFont = kLatinFont);

    // A title block: a table of bordered text frames from (x1, y1) to (x2, y2),
    // one row per field, its caption in a narrow first column and its value
    // beside it; the first row's value in `titleFont`.
    struct TitleField {
        std::string caption;
        std::string value;
    };
    void titleBlock(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const std::vector<TitleField>& fields,
                    int32_t titleFont = kSongFont);

    // A SimStimulus, SimProbe or SimVector record with its directive text
    // (such as "CLK(S/C):CP 1" or "(Data) Q7..0"); it draws nothing.
    int directive(schematic::SchElementKind kind, const std::string& text);

    const schematic::SchSheet& sheet() const { return sheet_; }
    // Drops the elements added after the first `count`, to try a drawing
    // another way; the library stays.
    void truncate(std::size_t count);

private:
    int32_t component(int32_t type);
    int32_t package(int32_t type);
    // Adds a one-part component for `type` and remembers it under `cacheKey`.
    int32_t addComponent(int32_t cacheKey, int32_t type, schematic::SchPartGraphics graphics);
    const schematic::SchElement& part(int index) const;
    const schematic::SchElement& pin(const schematic::SchElement& part, int pinNumber) const;
    int add(schematic::SchElement e);
    // Every pin end of the parts placed so far.
    std::vector<schematic::SheetPoint> pinEnds() const;
    // Throws when one of `ends` lies inside a segment of one of `wires`
    // without being one of its vertices.
    static void refuseRunThrough(const std::vector<schematic::SheetPoint>& ends,
                                 const std::vector<const schematic::SchElement*>& wires);

    schematic::SchSheet sheet_;
    std::map<int32_t, int32_t> compOfType_;
};

}  // namespace schgen
