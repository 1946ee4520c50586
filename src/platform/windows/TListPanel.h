#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

/**
 * A panel beside the client window that the player can close and move: a line of text at the
 * top, a status line and a list of rows (texts in Windows-1252). Heading rows cannot be
 * selected. Selecting a row, by mouse or keys or by Select, tells the select listener; the
 * frame that places the panel remembers where it stands and whether it shows.
 */
class TListPanel {
public:
    struct Row {
        std::string Text;
        bool Heading = false;
    };

    /** name identifies the panel in the frame's remembered layout. */
    TListPanel(const char* title, const char* name);
    ~TListPanel();
    TListPanel(const TListPanel&) = delete;
    TListPanel& operator=(const TListPanel&) = delete;

    void SetTopLine(const std::string& text);
    void SetStatusLine(const std::string& text);
    const std::string& GetStatusLine() const { return Status; }
    /** Replaces the rows; nothing is selected afterwards. */
    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& GetRows() const { return Rows; }
    /** Selects a row and scrolls the list to it; -1 selects none. The listener is not told. */
    void Select(int row);
    /** The selected row, -1 for none. */
    int Selected() const;
    /** Called with the row the player selected. */
    void SetSelectListener(std::function<void(int)> listener);

    bool IsShown() const;
    void Show(bool shown);
    /** Called when the panel is shown or hidden, by the player closing it too. */
    void SetVisibilityListener(std::function<void()> listener);

    /** The panel's widget; the frame that places it takes it over. */
    QWidget* GetWidget();
    const std::string& GetName() const { return Name; }

private:
    class Dock;
    std::string Name;
    std::string Status;
    std::vector<Row> Rows;
    std::unique_ptr<Dock> Widgets;
};
