#include "palette/key_grid.h"

#include "palette/layout.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

const Twips& key_rect(int16_t key) { return palette_control(kFirstKeyId + key).rect; }

// The nearest key beside `from` in the direction (`dx`, `dy`): the same row for a move across,
// the key over the middle of `from` in the nearest row for a move up or down.
int16_t nearest(int16_t from, int dx, int dy) {
    const Twips& at = key_rect(from);
    const int middle = at.left + at.width / 2;
    int16_t best = from;
    int best_distance = 0;
    for (int16_t key = 0; key < kKeysPerPage; ++key) {
        const Twips& other = key_rect(key);
        int distance = 0;
        if (dx != 0) {
            if (other.top != at.top) continue;
            distance = (other.left - at.left) * dx;
        } else {
            if (middle < other.left || middle >= other.left + other.width) continue;
            distance = (other.top - at.top) * dy;
        }
        if (distance <= 0 || (best != from && distance >= best_distance)) continue;
        best = key;
        best_distance = distance;
    }
    return best;
}

}  // namespace

int16_t key_after_step(int16_t key, KeyStep step) {
    if (key < 0 || key >= kKeysPerPage) return key;
    switch (step) {
        case KeyStep::Left:
            return nearest(key, -1, 0);
        case KeyStep::Right:
            return nearest(key, 1, 0);
        case KeyStep::Up:
            return nearest(key, 0, -1);
        case KeyStep::Down:
            return nearest(key, 0, 1);
        case KeyStep::First:
            return 0;
        case KeyStep::Last:
            return kKeysPerPage - 1;
    }
    return key;
}

}  // namespace quillaro
