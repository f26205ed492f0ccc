#pragma once

#include <QStringList>
#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "checkdigits/bank_account.h"
#include "shell/tool_window.h"

class QLabel;
class QLineEdit;

namespace minizol {

// The check-digit calculator's window: an identity row, a bank account row and an ISBN row, each
// recomputed on every change of its input fields.
class frmDigiZol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmDigiZol(Shell& shell);

    static QString HelpText();

    // Opens a list window on each file in turn, over this window.
    void OpenLists(const QStringList& paths);
    // Where a list is opened: the list window, unless a test looks at what would be opened.
    void SetListOpener(std::function<void(const QString& path)> open) {
        openList_ = std::move(open);
    }

  protected:
    bool Form_KeyPress(int charCode) override;
    void mnuAyuda_Click() override;

  private:
    void CreateControls();
    void FilterKeys();
    void RouteClipboard();
    void Form_Load();
    void ClearInputFields();
    void mnuLista_Click();

    void txtDNI_Change();
    void txtCuenta_Change(int index);
    void txtISBN_Change();
    void txtIban_Click();
    void UpdateBankAccount();

    // Text pasted, dropped or middle-clicked into an input field, before it lands.
    void PasteInto(QLineEdit& field, const QString& pasted);
    // Replaces the row's account, whichever field it came by, and checks the digits it carried.
    // `typedThrough`: typed into the account number field, control digits first.
    void BringWholeAccount(const WholeAccount& whole, bool typedThrough);
    BankFields AccountFields() const;
    int AccountFieldIndex(const QLineEdit* field) const;

    void ShowUnexpectedFailure(const std::exception& failure);

    QLabel* lblDNI_ = nullptr;
    QLineEdit* txtDNI_ = nullptr;
    std::array<QLineEdit*, 2> txtLetra_{};
    QLabel* lblBanco_ = nullptr;
    QLineEdit* txtIban_ = nullptr;
    std::array<QLineEdit*, 3> txtCuenta_{};
    QLineEdit* txtDC_ = nullptr;
    QLabel* lblISBN_ = nullptr;
    QLineEdit* txtISBN_ = nullptr;
    QLineEdit* txtDigitoISBN_ = nullptr;

    // The account last brought whole, whose own digits are checked until the user edits a field.
    std::optional<WholeAccount> whole_;
    // The complete IBAN the row shows, for "Copiar" on the IBAN box; "" while there is none.
    std::string wholeIban_;
    std::function<void(const QString&)> openList_;
};

}  // namespace minizol
