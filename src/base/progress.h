#pragma once

#include <QtGlobal>

#include <functional>

namespace briqo {

// Told how far a long piece of work has come: done of total steps, before each step and once
// more at the end (done == total). Answering false stops the work between two steps.
using ProgressReport = std::function<bool(qsizetype done, qsizetype total)>;

} // namespace briqo
