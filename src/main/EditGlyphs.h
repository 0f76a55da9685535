#pragma once
// Tool-bar pictures of the commands that edit the gear: dimension files, the
// two dimension dialogs, dynamic variables and undo (16 x 16 pixels each).

#include <QIcon>

namespace corvellan {

enum class EditGlyph {
    OpenFile,
    SaveFile,
    FrameDimensions,
    CylinderDimensions,
    DynamicVariables,
    Undo
};

QIcon editGlyph(EditGlyph which);

} // namespace corvellan
