#pragma once

#include <QRadioButton>

namespace ruvo {

// A radio button that never checks or unchecks itself: a click only reports itself, and the
// control decides which button of a group is selected. Its whole box takes the click, whatever its
// caption, even while a prompt has blanked it.
class ModelRadioButton final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void nextCheckState() override {}
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

} // namespace ruvo
