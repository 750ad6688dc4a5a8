// The playlist being built, apart from any window: its entries, the
// selection, and the history of its edits. Every change of the playlist is
// an edit here, one undoable step each; the playlist list only shows the
// model and redraws what a change reports.
#pragma once

#include "playlist/ListEditing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The selected entries (ascending) and the entry with the focus, -1 for
// none. A step restores the selection it was made with when undone.
struct CPlaylistSelection {
    CIndexArray items;
    int focus = -1;
};

// What a view must show anew after a change of the model.
struct CPlaylistChange {
    bool countChanged = false;
    // The entry to bring into view, SIZE_MAX for none; partly in view may be
    // enough.
    size_t scrollTo = SIZE_MAX;
    bool partialOk = false;
    // Undo and redo put the focus back where the step found it.
    bool restoresFocus = false;
};

class IPlaylistView {
public:
    // The entries or the selection changed; the model is in its new state.
    virtual void OnPlaylistChanged(const CPlaylistChange& change) = 0;

protected:
    ~IPlaylistView() = default;
};

class CPlaylistModel {
public:
    CPlaylistModel() = default;
    CPlaylistModel(const CPlaylistModel&) = delete;
    CPlaylistModel& operator=(const CPlaylistModel&) = delete;

    const CPathArray& Paths() const { return m_arrPaths; }
    size_t Count() const { return m_arrPaths.size(); }
    const CPlaylistSelection& Selection() const { return m_selection; }
    bool HasSelection() const { return !m_selection.items.empty(); }

    // The one view that shows the model; null: none.
    void SetView(IPlaylistView* pView) { m_pView = pView; }
    // The selection as the user made it in the view; not a step, and the
    // view is not told. Indices past the end are dropped.
    void SetSelection(CPlaylistSelection selection);

    // The edits. Each answers false and changes nothing when it has nothing
    // to do; otherwise it is one step of the history (a new step drops the
    // steps that were undone) and the view is told.

    // Inserts arr at index (the end when past it) and selects the first
    // selectCount new entries. The entries are taken over, not copied.
    bool Insert(size_t index, CPathArray arr, size_t selectCount);
    // Removes the selection and selects the entry that followed it.
    bool RemoveSelected();
    bool RemoveAll();
    // Removes the entries that match, keeping the selection of the others:
    // one step however many go.
    bool RemoveMatching(const std::function<bool(const std::wstring&)>& matches);
    // Moves the selection as one block one place up or down (the move
    // buttons), or before the entry at target (a drag); the block stays
    // selected.
    bool MoveSelectedByOne(bool up);
    bool MoveSelectedBefore(size_t target);

    // Order commands on the whole playlist; the selected entries stay
    // selected wherever they go.
    bool SortByFileName();
    bool SortByFullPath();
    bool Reverse();
    bool Shuffle(uint32_t seed);
    // Keeps the first of each path.
    bool RemoveDuplicates();

    // A playlist of its own (an opened file): the history starts afresh and
    // the entries count as saved.
    void Reset(CPathArray paths);

    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    bool Undo();
    bool Redo();

    // The entries shown now are those last saved (or opened); undoing back
    // to them counts as saved again.
    void MarkSaved() { m_nSavedState = CurrentState(); }
    bool IsSaved() const { return m_nSavedState == CurrentState(); }

private:
    enum class StepKind { kInsert, kRemove, kReorder };
    struct CStep {
        StepKind kind = StepKind::kInsert;
        // Insert: where the entries stand afterwards; remove: where they
        // stood before. Ascending.
        CIndexArray indices;
        // The entries while they are out of the playlist (a removal in
        // effect, an insertion undone); moved, never copied, between the two.
        CPathArray entries;
        COrder order;
        CPlaylistSelection before;
        CPlaylistSelection after;
        uint64_t state = 0;
        CPlaylistChange change;
    };

    void Apply(CStep& step, bool forward);
    void Record(CStep step);
    bool Reorder(COrder order, size_t scrollTo, bool partialOk);
    bool MoveBlock(size_t target, bool partialOk);
    void SelectBlock(CEntryBlock block, bool partialOk);
    bool RemoveIndices(CIndexArray indices, CIndexArray selectAfter);
    uint64_t CurrentState() const { return m_nDone > 0 ? m_steps[m_nDone - 1].state : m_nBaseState; }
    void Tell(const CPlaylistChange& change) const;

    CPathArray m_arrPaths;
    CPlaylistSelection m_selection;
    std::vector<CStep> m_steps;
    // Steps [0, m_nDone) are in effect; the rest were undone.
    size_t m_nDone = 0;
    // Each state of the entries has a number of its own, never used again.
    uint64_t m_nBaseState = 0;
    uint64_t m_nLastState = 0;
    uint64_t m_nSavedState = 0;
    IPlaylistView* m_pView = nullptr;
};
