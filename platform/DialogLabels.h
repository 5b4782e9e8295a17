#pragma once

// String ids of the open-file dialog's labels, as the catalogue and the dialog name them.
namespace platform {

enum DialogLabelId : int {
    kLabelCancelButton = 1,
    kLabelOpenButton = 340,
    kLabelPreview = 347,
    kLabelFileKind = 348,
    kLabelFolder = 349,
    kLabelFileName = 350,
};

}  // namespace platform
