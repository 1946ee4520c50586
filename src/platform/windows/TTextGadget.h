#pragma once

#include <memory>
#include <string>

class QWidget;

/**
 * A text field of the status bar. The window that owns the text writes it with SetText; the
 * frame places the field's widget in its status bar. Writes counts every SetText, so that a
 * caller can tell a text rewritten from a text left alone.
 */
class TTextGadget {
public:
    explicit TTextGadget(int id, int widthInChars = 0);
    ~TTextGadget();
    TTextGadget(const TTextGadget&) = delete;
    TTextGadget& operator=(const TTextGadget&) = delete;

    int GetId() const { return Id; }
    /** Sets the text (Windows-1252). */
    void SetText(const char* text);
    const std::string& GetText() const { return Text; }
    int Writes() const { return WriteCount; }
    /** The widget showing the text; the status bar that places it takes it over. */
    QWidget* GetWidget();

private:
    int Id;
    int Width;
    std::string Text;
    int WriteCount = 0;
    class Field;
    std::unique_ptr<Field> Label;
};
