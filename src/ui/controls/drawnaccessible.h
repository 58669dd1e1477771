#pragma once

class QWidget;

// Screen readers see a label that the program draws itself as static text named by the text it shows: the
// label's "text" property, read at each query, so the name follows every change of the text. The label's
// constructor calls registerDrawnLabel(); setText calls drawnLabelTextChanged() so that a reader that is
// listening hears of the new name.
void registerDrawnLabel();
void drawnLabelTextChanged(QWidget *label);
