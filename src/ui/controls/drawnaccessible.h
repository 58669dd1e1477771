#pragma once

class QWidget;

// What screen readers see of the controls the program draws itself. A drawn label (DrawnLabel:
// TLMDBevelLabel, TLMDShadowLabel) is static text named by the text it shows, its "text" property read at
// each query, so the name follows every change; a picture (PictureBox) is a graphic and a drawn bar
// (TLMDProgress, TLMDProgressFill) a progress bar, named and described by what the program sets with
// setAccessibleName() and setAccessibleDescription(). Each such control's constructor calls
// registerDrawnControl(); a drawn label's setText calls drawnLabelTextChanged() so that a reader that is
// listening hears of the new name.
void registerDrawnControl();
void drawnLabelTextChanged(QWidget *label);
