#include "pickers/Seletores.h"

#include <QRegularExpression>

#include "messages/ServicoDialogos.h"
#include "pickers/TfmSeletor.h"

namespace zovi::gui {

namespace {

// The code a field holds, without its mask's punctuation and blanks.
QString CodigoDoCampo(const QLineEdit& campo) {
    static const QRegularExpression kNaoCodigo(QStringLiteral("[^0-9A-Za-z]"));
    return QString(campo.text()).remove(kNaoCodigo);
}

}  // namespace

Seletores::Seletores(TdmGDZovi& dm, ServicoDialogos& dialogos)
    : dm_(dm), dialogos_(dialogos),
      frmT8Munic_(std::make_unique<TfmSeletor>(dm, TipoSeletor::Municipio)),
      fmTb8Cnae_(std::make_unique<TfmSeletor>(dm, TipoSeletor::Cnae)),
      fmTb8CBO_(std::make_unique<TfmSeletor>(dm, TipoSeletor::Cbo)),
      fmTb8Raca_(std::make_unique<TfmSeletor>(dm, TipoSeletor::Raca)),
      fmTb8Afast_(std::make_unique<TfmSeletor>(dm, TipoSeletor::Afastamento)) {}

Seletores::~Seletores() = default;

TfmSeletor* Seletores::Permanente(TipoSeletor tipo) {
    switch (tipo) {
        case TipoSeletor::Municipio: return frmT8Munic_.get();
        case TipoSeletor::Cnae: return fmTb8Cnae_.get();
        case TipoSeletor::Cbo: return fmTb8CBO_.get();
        case TipoSeletor::Raca: return fmTb8Raca_.get();
        case TipoSeletor::Afastamento: return fmTb8Afast_.get();
        default: return nullptr;
    }
}

std::optional<QString> Seletores::Mostra(TipoSeletor tipo, const QString& atual, QWidget* pai) {
    std::unique_ptr<TfmSeletor> transitorio;
    TfmSeletor* seletor = Permanente(tipo);
    if (!seletor) {
        transitorio = std::make_unique<TfmSeletor>(dm_, tipo, pai);
        seletor = transitorio.get();
    } else if (pai) {
        // The pickers of the whole run have no parent (a form that closes must not take
        // them along): they are centred over the form that calls them.
        seletor->move(pai->window()->geometry().center() - seletor->rect().center());
    }
    seletor->Prepara(atual);
    dialogos_.Executa(*seletor);
    if (seletor->Escolhido().isEmpty()) return std::nullopt;
    return seletor->Escolhido();
}

std::optional<QString> Seletores::EscolheCodigo(TipoSeletor tipo, const QString& atual, QWidget* pai) {
    auto codigo = Mostra(tipo, atual, pai);
    if (codigo && tipo == TipoSeletor::Municipio) ultimoMunicipio_ = *codigo;
    return codigo;
}

bool Seletores::Escolhe(TipoSeletor tipo, QLineEdit& destino, QWidget* pai) {
    QString atual = CodigoDoCampo(destino);
    const bool municipio = tipo == TipoSeletor::Municipio;
    if (municipio && atual.isEmpty()) atual = ultimoMunicipio_;
    const auto codigo = EscolheCodigo(tipo, atual, pai);
    if (!codigo) {
        // Closed without a choice: an empty municipality takes the one chosen last;
        // a code already typed is never overwritten.
        if (municipio && CodigoDoCampo(destino).isEmpty() && !ultimoMunicipio_.isEmpty())
            destino.setText(ultimoMunicipio_);
        return false;
    }
    if (tipo == TipoSeletor::Cnae) {
        // As if typed: the field's mask and validator apply, and textEdited is emitted.
        destino.selectAll();
        destino.insert(*codigo);
    } else {
        destino.setText(*codigo);
    }
    return true;
}

}  // namespace zovi::gui
