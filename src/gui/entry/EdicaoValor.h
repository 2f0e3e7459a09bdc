#pragma once
// The small editing pieces every entry form shares.
//
// EdicaoValor: a money box. The screen shows "1.234,56"; entering the box shows
// the text without thousands points, selected, ready to be retyped; leaving it
// shows the formatted amount again. The stored value is the amount in
// centavos, digits only, zero-filled to the field's width ("000123456");
// "0,00" and an empty box both mean "not informed".
//
// EdicaoMascara: a box with an entry mask. However the focus arrives (a jump of
// the form, Ctrl+Tab, a click past what was typed, the return from a picker) the
// cursor waits at the first free position of the mask, so that nothing typed
// falls off its end.
//
// Validador1252: refuses, as it is typed, a character the program's encoding
// (Windows-1252) cannot hold, and optionally turns letters into capitals.
#include <QLineEdit>
#include <QValidator>

#include <optional>
#include <string>

namespace zovi::gui {

class Validador1252 : public QValidator {
public:
    explicit Validador1252(bool maiusculas, QObject* pai = nullptr) : QValidator(pai), maiusculas_(maiusculas) {}
    State validate(QString& texto, int& pos) const override;

    // True when every character of the text has a Windows-1252 byte.
    static bool Representavel(const QString& texto);

private:
    bool maiusculas_;
};

class EdicaoMascara : public QLineEdit {
    Q_OBJECT
public:
    EdicaoMascara(const QString& mascara, QWidget* pai = nullptr);
    // The first position of the mask still blank; the text's end when it is full.
    int PrimeiraLivre() const;

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void VaiParaLivre();
};

class EdicaoValor : public QLineEdit {
    Q_OBJECT
public:
    explicit EdicaoValor(QWidget* pai = nullptr);

    // The centavos of the typed amount, zero-filled to `largura` digits; nullopt when the
    // text is not an amount or does not fit. An empty box gives all zeros.
    std::optional<std::string> Centavos(int largura) const;
    // Shows stored centavos ("00012345" -> "123,45"); empty or zeros show "0,00".
    void PoeCentavos(const std::string& centavos);
    // Not informed: empty, or an amount of zero.
    bool NaoInformado() const;
    // Rewrites the text as "1.234,56"; false (text kept) when it is not an amount.
    bool Formata();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

}  // namespace zovi::gui
