#pragma once
// The register tree TreeView2 and the probe list ListView2 of a circuit
// window: they mirror the circuit layer's RegisterTree and ProbeList, and
// rewrite only what a refresh reports changed.

#include <QObject>

#include <cstdint>
#include <vector>

#include "circuit/probe_list.h"
#include "circuit/register_tree.h"

class QTreeWidgetItem;

namespace circuit::widgets {

class Form7;

class RegisterViews : public QObject {
    Q_OBJECT
public:
    explicit RegisterViews(Form7& form);

    // The views of a window; nullptr before its load filled them.
    static RegisterViews* of(const Form7& form);

    // FillRegisterTree and FillProbeList.
    void fill();
    // RefreshProbeList, then RefreshRegisterTree.
    void refresh();

    const circuit::RegisterTree& registerTree() const { return tree_; }
    const circuit::ProbeList& probeList() const { return probes_; }
    // The register tree's node of relative IC k; nullptr when the IC has none.
    QTreeWidgetItem* nodeItem(int32_t k) const;
    QTreeWidgetItem* probeItem(int32_t row) const;

private:
    Form7& form_;
    circuit::RegisterTree tree_;
    circuit::ProbeList probes_;
    std::vector<QTreeWidgetItem*> nodes_;
    std::vector<std::vector<QTreeWidgetItem*>> rows_;
    std::vector<QTreeWidgetItem*> probeRows_;
};

}  // namespace circuit::widgets
