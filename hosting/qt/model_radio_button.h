#pragma once

#include <QRadioButton>

namespace ruvo {

// A radio button that never checks or unchecks itself: a click only reports itself, and the
// control decides which button of a group is selected.
class ModelRadioButton final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void nextCheckState() override {}
};

} // namespace ruvo
