#pragma once
// Date fields that take typing after one click.

class QDateTimeEdit;

namespace lv::search {

// A click (not a drag) selects the part of the date under it, day, month or year, so digits
// typed next replace it as they do after Tab. Without it the caret lands between the digits
// of a full part, where Qt has no room for another and the digits go elsewhere or nowhere.
void SelectSectionOnClick(QDateTimeEdit& field);

}  // namespace lv::search
