#include "control/core/surface.h"

#include "control/core/widget_tree.h"

namespace ruvo {

namespace {

// Builds the tree into the host, in creation order; returns the host for the initialisers below.
WidgetHost& build(WidgetHost& host) {
    for (const WidgetRow& row : moravineWidgetTree()) {
        Widget* parent = host.find(row.parent);
        if (!parent)
            throw std::logic_error("the parent of " + std::string(row.name) + " comes after it");
        std::string name(row.name);
        switch (row.kind) {
        case WidgetKind::Frame:
            host.add<Frame>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::Label:
            host.add<Label>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::OptionButton:
            host.add<OptionButton>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::ComboBox:
            host.add<ComboBox>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::CommandButton:
            host.add<CommandButton>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::PictureBox:
            host.add<PictureBox>(std::move(name), *parent, row.design);
            break;
        case WidgetKind::Timer:
            host.add<Timer>(std::move(name), *parent, row.design).setInterval(promptInterval);
            break;
        case WidgetKind::UserControl:
            throw std::logic_error("the tree holds one control only");
        }
    }
    return host;
}

} // namespace

Surface::Surface(WidgetHost& widgetHost)
    : host(build(widgetHost)), FrameLS(host.get<Frame>("FrameLS")),
      OptLMP(host.get<OptionButton>("OptLMP")), OptUS(host.get<OptionButton>("OptUS")),
      FrameCBH(host.get<Frame>("FrameCBH")), OptCRL(host.get<OptionButton>("OptCRL")),
      OptBPD(host.get<OptionButton>("OptBPD")), OptHC(host.get<OptionButton>("OptHC")),
      FrameEDD(host.get<Frame>("FrameEDD")), LabEDD(host.get<Label>("LabEDD")),
      ComCalcEDD(host.get<CommandButton>("ComCalcEDD")),
      ComRestart(host.get<CommandButton>("ComRestart")), FrameGest(host.get<Frame>("FrameGest")),
      LabGest(host.get<Label>("LabGest")), ComCalcGest(host.get<CommandButton>("ComCalcGest")),
      DDVal(host.get<ComboBox>("DDVal")), FrameQDOB(host.get<Frame>("FrameQDOB")),
      OptYes(host.get<OptionButton>("OptYes")), OptNo(host.get<OptionButton>("OptNo")),
      LabQDOB(host.get<Label>("LabQDOB")), Timer1(host.get<Timer>("Timer1")),
      Timer2(host.get<Timer>("Timer2")), Timer3(host.get<Timer>("Timer3")),
      FrameDate(host.get<Frame>("FrameDate")), DDLSDateY(host.get<ComboBox>("DDLSDateY")),
      DDLSDateD(host.get<ComboBox>("DDLSDateD")), DDLSDateM(host.get<ComboBox>("DDLSDateM")),
      LabLSDateY(host.get<Label>("LabLSDateY")), LabLSDateD(host.get<Label>("LabLSDateD")),
      LabLSDateM(host.get<Label>("LabLSDateM")), FrameDOB(host.get<Frame>("FrameDOB")),
      DDDOBDateD(host.get<ComboBox>("DDDOBDateD")), DDDOBDateY(host.get<ComboBox>("DDDOBDateY")),
      DDDOBDateM(host.get<ComboBox>("DDDOBDateM")), LabDOBDateY(host.get<Label>("LabDOBDateY")),
      LabDOBDateM(host.get<Label>("LabDOBDateM")), LabDOBDateD(host.get<Label>("LabDOBDateD")),
      FrameUS(host.get<Frame>("FrameUS")), OptDG(host.get<OptionButton>("OptDG")),
      OptFB(host.get<OptionButton>("OptFB")), DDUSW(host.get<ComboBox>("DDUSW")),
      DDUSD(host.get<ComboBox>("DDUSD")), LabUSW(host.get<Label>("LabUSW")),
      LabUSD(host.get<Label>("LabUSD")), Picture1(host.get<PictureBox>("Picture1")),
      Labmm(host.get<Label>("Labmm")) {}

} // namespace ruvo
