#include "entry/EdicaoValor.h"

#include <QFocusEvent>
#include <QTimer>

#include "messages/Formatacao.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

bool Validador1252::Representavel(const QString& texto) {
    return Utf8ParaCp1252(texto.toStdString()).has_value();
}

QValidator::State Validador1252::validate(QString& texto, int&) const {
    if (maiusculas_) texto = texto.toUpper();
    return Representavel(texto) ? Acceptable : Invalid;
}

EdicaoMascara::EdicaoMascara(const QString& mascara, QWidget* pai) : QLineEdit(pai) { setInputMask(mascara); }

int EdicaoMascara::PrimeiraLivre() const {
    // The mask's own text: "99/99/9999; " is its characters, then ';' and the blank.
    const QString mascara = inputMask();
    const int fim = static_cast<int>(mascara.lastIndexOf(QLatin1Char(';')));
    const QChar branco = fim >= 0 && fim + 1 < mascara.size() ? mascara.at(fim + 1) : QLatin1Char(' ');
    const QString tela = displayText();
    int posicao = 0;
    for (int i = 0; i < (fim >= 0 ? fim : mascara.size()) && posicao < tela.size(); ++i) {
        const QChar c = mascara.at(i);
        if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('!')) continue;  // case switches
        if (c == QLatin1Char('\\')) {  // an escaped literal
            ++i;
            ++posicao;
            continue;
        }
        const bool entrada = QStringLiteral("AaNnXx9D0dHhBb#").contains(c);
        if (entrada && tela.at(posicao) == branco) return posicao;
        ++posicao;
    }
    return static_cast<int>(tela.size());
}

void EdicaoMascara::VaiParaLivre() {
    if (hasSelectedText()) return;
    const int livre = PrimeiraLivre();
    if (cursorPosition() > livre) setCursorPosition(livre);
}

void EdicaoMascara::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    VaiParaLivre();
}

// A click inside what was typed places the cursor there; a click past it, at the first blank.
void EdicaoMascara::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    VaiParaLivre();
}

namespace {

// "1.234,56" -> "123456" (centavos without zeros on the left); nullopt when not an amount.
std::optional<std::string> CentavosDoTexto(const QString& texto) {
    const std::string formatado = fAparaTexto(FormataValor(texto.trimmed().toStdString()));
    if (formatado.empty()) return std::string();
    if (formatado == "Erro" || formatado.front() == '-') return std::nullopt;
    std::string digitos;
    for (char c : formatado)
        if (c >= '0' && c <= '9') digitos += c;
    return RetiraZerosEsquerda(digitos);
}

}  // namespace

EdicaoValor::EdicaoValor(QWidget* pai) : QLineEdit(pai) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(13);
    setValidator(new Validador1252(false, this));
    setText(QStringLiteral("0,00"));
}

std::optional<std::string> EdicaoValor::Centavos(int largura) const {
    auto centavos = CentavosDoTexto(text());
    if (!centavos || static_cast<int>(centavos->size()) > largura) return std::nullopt;
    return CompletaZeros(*centavos, largura);
}

void EdicaoValor::PoeCentavos(const std::string& centavos) {
    std::string digitos;
    for (char c : centavos)
        if (c >= '0' && c <= '9') digitos += c;
    digitos = RetiraZerosEsquerda(digitos);
    if (digitos.size() < 3) digitos.insert(0, 3 - digitos.size(), '0');
    const std::string comVirgula = digitos.substr(0, digitos.size() - 2) + "," + digitos.substr(digitos.size() - 2);
    setText(QString::fromStdString(fAparaTexto(FormataValor(comVirgula))));
}

bool EdicaoValor::NaoInformado() const {
    auto centavos = CentavosDoTexto(text());
    return centavos && centavos->empty();
}

bool EdicaoValor::Formata() {
    auto formatado = fAparaTexto(FormataValor(text().trimmed().toStdString()));
    if (formatado == "Erro") return false;
    setText(formatado.empty() ? QStringLiteral("0,00") : QString::fromStdString(formatado));
    return true;
}

void EdicaoValor::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    setText(QString::fromStdString(RetiraPontos(text().toStdString())));
    // After the mouse press that gave the focus has placed the cursor.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void EdicaoValor::focusOutEvent(QFocusEvent* e) {
    Formata();
    QLineEdit::focusOutEvent(e);
}

}  // namespace zovi::gui
