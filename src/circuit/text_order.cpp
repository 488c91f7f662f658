#include "circuit/text_order.h"

#include <algorithm>
#include <numeric>

namespace circuit {

std::vector<int32_t> textOrder(int32_t count, const std::function<QString(int32_t)>& textOf, int32_t sortOrder) {
    std::vector<int32_t> order(static_cast<std::size_t>(std::max<int32_t>(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    std::vector<QString> texts;
    texts.reserve(order.size());
    for (int32_t i : order) texts.push_back(textOf(i));
    const bool descending = sortOrder == kDescending;
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const int c =
            QString::compare(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)], Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

}  // namespace circuit
