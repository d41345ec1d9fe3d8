#pragma once
// The User Manual command's icon: a closed blue book with a white question
// mark on its cover, drawn for each size so it stays legible at 16 pixels
// (the style's help icon is a red cross in some themes).

#include <QIcon>

namespace brisca {

QIcon ManualIcon();

}  // namespace brisca
