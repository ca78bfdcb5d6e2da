#pragma once

#include <functional>

class QComboBox;

namespace skelvane {

// Runs `action` once when Enter or Return is pressed in an editable drop-down. (The edit's
// returnPressed signal comes twice there: the edit passes the key on to the drop-down,
// which hands it back to the edit.) The key goes no further.
void OnEnterPressed(QComboBox* box, std::function<void()> action);

} // namespace skelvane
