// The map window's review of the turn: the moves of the report and the player's own moves as
// arrows over the window, the panel that lists them with the combats, and the Review commands.
#include "KVKWindow.h"

#include <algorithm>

void KVKWindow::TurnChanged() {
    Modified = true;
    RefreshReview();
}

void KVKWindow::AttachReview(TListPanel* panel, TTextGadget* statusGadget) {
    Panel = panel;
    ReviewGadget = statusGadget;
    if (Panel) {
        Panel->SetTopLine(TurnReview::OrderLine);
        Panel->SetSelectListener([this](int row) {
            // The panel follows the player's choice only while nothing else is in the air.
            if (Drag.Active() || !Reviewed.Select(row)) {
                Panel->Select(Reviewed.Selected());
                return;
            }
            ShowSelection();
            CommandsChanged();
        });
        Panel->SetVisibilityListener([this] { CommandsChanged(); });
    }
    RefreshReview();
}

void KVKWindow::TurnOpened() {
    if (Board->TurnLoaded)
        Reviewed.ReadReport(Board->FileData.FileName, Board->Records());
    else
        Reviewed.Forget();
    if (Panel)
        Panel->SetStatusLine(Reviewed.StatusText());
    if (ReviewGadget)
        ReviewGadget->SetText(Reviewed.StatusText().c_str());
    RefreshReview();
}

void KVKWindow::RefreshReview() {
    Reviewed.Update(*Board);
    if (Panel) {
        std::vector<TListPanel::Row> rows;
        rows.reserve(Reviewed.Rows().size());
        for (const TurnReview::Row& row : Reviewed.Rows())
            rows.push_back({row.Text, row.Kind == TurnReview::RowKind::Heading});
        const auto& shown = Panel->GetRows();
        const bool same = std::equal(rows.begin(), rows.end(), shown.begin(), shown.end(),
                                     [](const TListPanel::Row& a, const TListPanel::Row& b) {
                                         return a.Text == b.Text && a.Heading == b.Heading;
                                     });
        if (!same)
            Panel->SetRows(std::move(rows));
        if (Panel->Selected() != Reviewed.Selected())
            Panel->Select(Reviewed.Selected());
    }
    SetArrows(Reviewed.Arrows(ShowMoves));
}

void KVKWindow::ShowSelection() {
    if (Panel)
        Panel->Select(Reviewed.Selected());
    const TPoint at = Reviewed.SelectedPoint();
    if (at != MapBoard::NoPoint && !Zoomed) {
        // Scrolled only when the selection is not in sight, with it in the middle then.
        const TRect client = GetClientRect();
        const TPoint c = at - GetScrollPos();
        const int margin = 60;
        if (c.x < margin || c.y < margin || c.x > client.Width() - margin ||
            c.y > client.Height() - margin)
            ScrollTo(at.x - client.Width() / 2, at.y - client.Height() / 2);
    }
    SetArrows(Reviewed.Arrows(ShowMoves));
}

void KVKWindow::UpdateArrowScale() {
    const TRect client = GetClientRect();
    if (!Zoomed || client.IsEmpty())
        SetArrowScale(1, 1);
    else
        SetArrowScale(double(client.Width()) / Board->MapWidth(),
                      double(client.Height()) / Board->MapHeight());
}

void KVKWindow::CmShowMoves() {
    ShowMoves = !ShowMoves;
    SetArrows(Reviewed.Arrows(ShowMoves));
}

void KVKWindow::CmReviewPanel() {
    if (Panel)
        Panel->Show(!Panel->IsShown());
}

void KVKWindow::CmNextMove() {
    if (Reviewed.Step(+1))
        ShowSelection();
}

void KVKWindow::CmPreviousMove() {
    if (Reviewed.Step(-1))
        ShowSelection();
}

void KVKWindow::CeShowMoves(TCommandEnabler& ce) {
    ce.SetCheck(ShowMoves ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(true);
}

void KVKWindow::CeReviewPanel(TCommandEnabler& ce) {
    ce.SetCheck(Panel && Panel->IsShown() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(Panel != nullptr);
}

void KVKWindow::CeNextMove(TCommandEnabler& ce) {
    ce.Enable(Reviewed.CanStep(+1));
}

void KVKWindow::CePreviousMove(TCommandEnabler& ce) {
    ce.Enable(Reviewed.CanStep(-1));
}
