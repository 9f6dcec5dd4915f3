#pragma once

#include <QDialog>
#include <filesystem>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace arkona::app {

// The deepest folder of `path`'s chain that exists (the root at worst).
std::filesystem::path deepestExistingFolder(const std::filesystem::path& path);

// The folder chooser: a folder tree, the caller's caption and a path field. OK with a folder
// that does not exist offers to create it.
class TfrmBrowseFldr : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBrowseFldr(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    // Starts at `folder`, or at the deepest existing folder on its path.
    void setFolder(const std::filesystem::path& folder);
    std::filesystem::path folder() const;
    // Without it OK hands back a missing folder as typed (the caller refuses it itself).
    void setOfferCreate(bool offer) { offerCreate_ = offer; }

    // Runs the chooser modally; the chosen folder, or an empty path on Cancel.
    static std::filesystem::path choose(QWidget* parent, const QString& caption,
                                        const std::filesystem::path& start,
                                        bool offerCreate = true);

private:
    void folderSelected();
    void okClicked();

    QLabel* lblNadpis_;
    QTreeView* tvSlozky_;
    QLineEdit* txtCesta_;
    QPushButton* pbOK_;
    QPushButton* pbStorno_;
    QFileSystemModel* model_;
    bool offerCreate_ = true;
};

} // namespace arkona::app
