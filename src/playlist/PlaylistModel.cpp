#include "playlist/PlaylistModel.h"

#include "playlist/PlaylistOrder.h"

#include <algorithm>
#include <numeric>

namespace {

CIndexArray Range(size_t first, size_t count)
{
    CIndexArray indices(count);
    std::iota(indices.begin(), indices.end(), static_cast<unsigned int>(first));
    return indices;
}

bool IsIdentity(const COrder& order)
{
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] != i) return false;
    }
    return true;
}

}

void CPlaylistModel::SetSelection(CPlaylistSelection selection)
{
    auto end = std::lower_bound(selection.items.begin(), selection.items.end(), m_arrPaths.size());
    selection.items.erase(end, selection.items.end());
    if (selection.focus >= static_cast<int>(m_arrPaths.size())) selection.focus = -1;
    m_selection = std::move(selection);
}

void CPlaylistModel::Tell(const CPlaylistChange& change) const
{
    if (m_pView) m_pView->OnPlaylistChanged(change);
}

void CPlaylistModel::Apply(CStep& step, bool forward)
{
    bool inserting = (step.kind == StepKind::kInsert) == forward;
    switch (step.kind) {
    case StepKind::kInsert:
    case StepKind::kRemove:
        if (inserting) {
            PlaceEntries(m_arrPaths, step.indices, std::move(step.entries));
            step.entries.clear();
        } else {
            step.entries = TakeEntries(m_arrPaths, step.indices);
        }
        break;
    case StepKind::kReorder:
        ApplyOrder(m_arrPaths, forward ? step.order : InverseOrder(step.order));
        break;
    }
    CPlaylistSelection selection = forward ? step.after : step.before;
    // An edit leaves the focus where the view has it; a step undone or done
    // again puts back the one it was made with.
    if (forward && selection.focus < 0) selection.focus = step.before.focus;
    SetSelection(std::move(selection));
}

// The step is in effect already; it becomes the last one.
void CPlaylistModel::Record(CStep step)
{
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone), m_steps.end());
    step.state = ++m_nLastState;
    CPlaylistChange change = step.change;
    m_steps.push_back(std::move(step));
    m_nDone = m_steps.size();
    Tell(change);
}

bool CPlaylistModel::Insert(size_t index, CPathArray arr, size_t selectCount)
{
    if (arr.empty()) return false;
    CStep step;
    step.kind = StepKind::kInsert;
    size_t first = std::min(index, m_arrPaths.size());
    step.indices = Range(first, arr.size());
    step.after.items = Range(first, std::min(selectCount, arr.size()));
    step.entries = std::move(arr);
    step.before = m_selection;
    step.change.countChanged = true;
    step.change.scrollTo = first;
    Apply(step, true);
    Record(std::move(step));
    return true;
}

bool CPlaylistModel::RemoveIndices(CIndexArray indices, CIndexArray selectAfter)
{
    if (indices.empty()) return false;
    CStep step;
    step.kind = StepKind::kRemove;
    step.before = m_selection;
    step.after.items = std::move(selectAfter);
    step.change.countChanged = true;
    if (!step.after.items.empty()) step.change.scrollTo = step.after.items.front();
    step.indices = std::move(indices);
    step.entries = TakeEntries(m_arrPaths, step.indices);
    SetSelection({step.after.items, step.before.focus});
    Record(std::move(step));
    return true;
}

bool CPlaylistModel::RemoveSelected()
{
    const CIndexArray& selected = m_selection.items;
    if (selected.empty()) return false;
    size_t left = m_arrPaths.size() - selected.size();
    CIndexArray next;
    if (left > 0) next.push_back(static_cast<unsigned int>(std::min<size_t>(selected.back() + 1 - selected.size(), left - 1)));
    return RemoveIndices(selected, std::move(next));
}

bool CPlaylistModel::RemoveAll()
{
    return RemoveIndices(Range(0, m_arrPaths.size()), {});
}

bool CPlaylistModel::RemoveMatching(const std::function<bool(const std::wstring&)>& matches)
{
    CIndexArray indices;
    for (size_t i = 0; i < m_arrPaths.size(); ++i) {
        if (matches(m_arrPaths[i])) indices.push_back(static_cast<unsigned int>(i));
    }
    CIndexArray kept = SelectionAfterRemoval(m_selection.items, indices);
    return RemoveIndices(std::move(indices), std::move(kept));
}

bool CPlaylistModel::RemoveDuplicates()
{
    CIndexArray repeated = RepeatedEntries(m_arrPaths);
    CIndexArray kept = SelectionAfterRemoval(m_selection.items, repeated);
    return RemoveIndices(std::move(repeated), std::move(kept));
}

bool CPlaylistModel::Reorder(COrder order, size_t scrollTo, bool partialOk)
{
    if (IsIdentity(order)) return false;
    CStep step;
    step.kind = StepKind::kReorder;
    step.before = m_selection;
    step.after.items = SelectionAfterOrder(m_selection.items, order);
    step.change.scrollTo = scrollTo;
    step.change.partialOk = partialOk;
    step.order = std::move(order);
    Apply(step, true);
    Record(std::move(step));
    return true;
}

// A move that changes no place still leaves the block alone selected and in
// view, as any move does; it is no step.
void CPlaylistModel::SelectBlock(CEntryBlock block, bool partialOk)
{
    SetSelection({Range(block.first, block.count), m_selection.focus});
    CPlaylistChange change;
    change.scrollTo = block.first;
    change.partialOk = partialOk;
    Tell(change);
}

bool CPlaylistModel::MoveBlock(size_t target, bool partialOk)
{
    CEntryBlock block;
    COrder order = MoveOrder(m_arrPaths.size(), m_selection.items, target, block);
    if (block.count == 0) return false;
    if (IsIdentity(order)) {
        SelectBlock(block, partialOk);
        return false;
    }
    return Reorder(std::move(order), block.first, partialOk);
}

bool CPlaylistModel::MoveSelectedBefore(size_t target)
{
    return MoveBlock(target, false);
}

bool CPlaylistModel::MoveSelectedByOne(bool up)
{
    const CIndexArray& selected = m_selection.items;
    if (selected.empty()) return false;
    size_t target = up ? (selected.front() > 0 ? selected.front() - 1 : 0) : selected.back() + 2;
    return MoveBlock(target, true);
}

bool CPlaylistModel::SortByFileName()
{
    return Reorder(FileNameOrder(m_arrPaths), SIZE_MAX, false);
}

bool CPlaylistModel::SortByFullPath()
{
    return Reorder(FullPathOrder(m_arrPaths), SIZE_MAX, false);
}

bool CPlaylistModel::Reverse()
{
    return Reorder(ReversedOrder(m_arrPaths.size()), SIZE_MAX, false);
}

bool CPlaylistModel::Shuffle(uint32_t seed)
{
    return Reorder(ShuffledOrder(m_arrPaths.size(), seed), SIZE_MAX, false);
}

void CPlaylistModel::Reset(CPathArray paths)
{
    m_arrPaths = std::move(paths);
    m_selection = CPlaylistSelection();
    m_steps.clear();
    m_nDone = 0;
    m_nBaseState = ++m_nLastState;
    m_nSavedState = m_nBaseState;
    CPlaylistChange change;
    change.countChanged = true;
    change.scrollTo = m_arrPaths.empty() ? SIZE_MAX : 0;
    Tell(change);
}

bool CPlaylistModel::Undo()
{
    if (!CanUndo()) return false;
    CStep& step = m_steps[--m_nDone];
    Apply(step, false);
    CPlaylistChange change = step.change;
    change.restoresFocus = true;
    change.partialOk = true;
    change.scrollTo = m_selection.items.empty() ? SIZE_MAX : m_selection.items.front();
    Tell(change);
    return true;
}

bool CPlaylistModel::Redo()
{
    if (!CanRedo()) return false;
    CStep& step = m_steps[m_nDone++];
    Apply(step, true);
    CPlaylistChange change = step.change;
    change.restoresFocus = true;
    Tell(change);
    return true;
}
