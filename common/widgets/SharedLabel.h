#pragma once

class QComboBox;
class QLabel;

namespace amb {

// Qt relates a label to the one control that is its buddy. A combo box on the same line as that
// control (the state beside the city) is labelled by the same label through this: a screen reader
// finds the label in the box's Label relation. Call it right after the box is made, before anything
// asks for the box's accessible interface.
void AlsoLabel(QLabel* label, QComboBox* box);

} // namespace amb
