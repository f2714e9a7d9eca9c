// The record panel's controls, as the record commands see them.
#pragma once

#include <string>

namespace tori {

// The record panel's controls: Drive1, Dir1, File1 (pattern "*.棋譜"), the
// text boxes Text1 (file name) .. Text4 with their Label1 captions, and
// Command1 ("RETURN"). File1 always shows the directory chosen in Dir1.
class RecordPanel {
public:
    virtual ~RecordPanel() = default;
    virtual void setListsVisible(bool drive, bool dir, bool file) = 0;
    // Text1..Text4, the four Label1 captions and Command1 together.
    virtual void setWriteControlsVisible(bool on) = 0;
    virtual std::string text(int box) const = 0; // box 1..4, UTF-8
    virtual void setText(int box, const std::string& text) = 0;
    virtual std::string directory() const = 0; // the File1 path
    virtual void refreshFiles() = 0;
    // File1 path := path, and its list shows that directory.
    virtual void setDirectory(const std::string& path) { (void)path; }
};

} // namespace tori
