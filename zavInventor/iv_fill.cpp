#include "iv_fill.h"

void fill_index_runs(SoMFInt32 &coord_index, int n_items, const int *end_indices,
                     const int *indices) {
    int n_indices = n_items > 0 ? end_indices[n_items - 1] : 0;
    coord_index.setNum(n_indices + n_items);
    int32_t *entries = coord_index.startEditing();
    int k = 0, start = 0;
    for (int i = 0; i < n_items; ++i) {
        for (int p = start; p < end_indices[i]; ++p)
            entries[k++] = indices[p];
        entries[k++] = -1;
        start = end_indices[i];
    }
    coord_index.finishEditing();
}
