#include "store/renumber.h"

#include "store/game_paths.h"

namespace briqo {

namespace {
constexpr int kLastGame = 999;
}

RenumberCandidates renumberCandidates(long long n)
{
    RenumberCandidates result;
    const int dealer = static_cast<int>(((n % 4) + 4) % 4);
    for (int i = dealer == 0 ? 4 : dealer; i <= kLastGame; i += 4)
        result.ascending.append(GameDigits(i));
    result.descending = QStringList(result.ascending.crbegin(), result.ascending.crend());
    if (n >= 1 && n <= kLastGame)
        result.startIndex = static_cast<int>(result.descending.indexOf(GameDigits(n)));
    return result;
}

int wrapIndex(int value, int count)
{
    if (count <= 0)
        return -1;
    if (value < 0)
        return count - 1;
    if (value > count - 1)
        return 0;
    return value;
}

} // namespace briqo
