#pragma once
// The names by which the lab's data refers to nets, so that a redrawn
// circuit keeps exactly those: the experiment settings, the lab scripts, the
// experiment texts, the texts of the board and the block diagrams, and the
// notes on the circuit's own sheet (not its net labels, which are the names
// themselves).

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace labtest {

// The words of a text that could name a net (runs of letters, digits and
// "_"), with each range such as "AR7..AR5" or "DB3..0" also taken name by name.
std::set<std::string> netWords(std::string_view text);

// Every such word in the files of `dataDir` (sheets and texts), the scripts
// in `scriptDir` and the given setting lines.
std::set<std::string> namesReferredTo(const std::string& dataDir, const std::string& scriptDir,
                                      const std::vector<std::string>& settings);

}  // namespace labtest
