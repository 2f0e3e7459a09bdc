#include "entry/RotinasResponsavel.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "messages/Mensagens.h"
#include "platform/Texto1252.h"

namespace zovi::gui {

namespace {

std::string Cp1252(const QLineEdit* e) {
    return e ? Utf8ParaCp1252(e->text().toStdString()).value_or(std::string()) : std::string();
}

// A masked code (CEP, municipality) without its punctuation and blanks.
std::string Digitos(const QLineEdit* e) {
    std::string r;
    for (char ch : Cp1252(e))
        if (ch >= '0' && ch <= '9') r += ch;
    return r;
}

void Mostra(QLineEdit* e, const std::string& cp1252) {
    const QString texto = QString::fromStdString(Cp1252ParaUtf8(cp1252));
    if (e && e->text() != texto) e->setText(texto);
}

constexpr int kDigitosInscricao = 14;
constexpr int kInscricaoComMascara = 18;

}  // namespace

RotinasResponsavel::RotinasResponsavel(const ControlesResponsavel& controles, const TCriticaZovi& critica,
                                       QObject* pai)
    : QObject(pai), c_(controles), critica_(critica) {
    c_.inscricao->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,14}")), c_.inscricao));
    c_.inscricao->installEventFilter(this);
}

void RotinasResponsavel::Mostra(const DadosResponsavel& d) {
    inscricao_ = d.CoCgcCeiResponsavel;
    tipo_ = d.InInscrResponsavel;
    MostraInscricao();
    gui::Mostra(c_.nome, d.NoResponsavelArquivo);
    gui::Mostra(c_.logradouro, d.EdLogradouroRespArquivo);
    gui::Mostra(c_.numero, d.NuLogradouroRespArquivo);
    gui::Mostra(c_.complemento, d.TxComplementoRespArquivo);
    gui::Mostra(c_.bairro, d.NoBairroRespArquivo);
    gui::Mostra(c_.cep, d.CoCepRespArquivo);
    gui::Mostra(c_.municipio, d.CoMunicipioRespArquivo);
    gui::Mostra(c_.nomeMunicipio, d.NoMunicipioRespArquivo);
    gui::Mostra(c_.uf, d.SgUfRespArquivo);
    gui::Mostra(c_.ddd, d.NuFoneDDD);
    gui::Mostra(c_.telefone, d.NuFoneAssinante);
    gui::Mostra(c_.email, d.TxEMailRespArquivo);
    if (c_.recibo) c_.recibo->setChecked(d.InReciboParaRespArquivo);
}

void RotinasResponsavel::LeControles(DadosResponsavel& d) const {
    d.CoCgcCeiResponsavel = inscricao_;
    d.InInscrResponsavel = tipo_;
    d.NoResponsavelArquivo = Cp1252(c_.nome);
    d.EdLogradouroRespArquivo = Cp1252(c_.logradouro);
    d.NuLogradouroRespArquivo = Cp1252(c_.numero);
    d.TxComplementoRespArquivo = Cp1252(c_.complemento);
    d.NoBairroRespArquivo = Cp1252(c_.bairro);
    d.CoCepRespArquivo = Digitos(c_.cep);
    d.CoMunicipioRespArquivo = Digitos(c_.municipio);
    d.NoMunicipioRespArquivo = Cp1252(c_.nomeMunicipio);
    d.SgUfRespArquivo = Cp1252(c_.uf);
    d.NuFoneDDD = Cp1252(c_.ddd);
    d.NuFoneAssinante = Cp1252(c_.telefone);
    d.TxEMailRespArquivo = Cp1252(c_.email);
    d.InReciboParaRespArquivo = c_.recibo && c_.recibo->isChecked();
}

DadosResponsavel RotinasResponsavel::Dados() const {
    DadosResponsavel d;
    LeControles(d);
    return d;
}

QString RotinasResponsavel::DigitosInscricao() const {
    return QString(c_.inscricao->text()).remove(QRegularExpression(QStringLiteral("[^0-9]")));
}

void RotinasResponsavel::MostraInscricao() {
    const auto exibida = MostraInscricaoResp(inscricao_, tipo_);
    c_.inscricao->setMaxLength(kInscricaoComMascara);
    gui::Mostra(c_.inscricao, exibida.texto);
    gui::Mostra(c_.tipoInscricao, exibida.tipo);
}

QWidget* RotinasResponsavel::Controle(CampoResponsavel campo) const {
    switch (campo) {
        case CampoResponsavel::Inscricao: return c_.inscricao;
        case CampoResponsavel::Nome: return c_.nome;
        case CampoResponsavel::Logradouro: return c_.logradouro;
        case CampoResponsavel::Numero: return c_.numero;
        case CampoResponsavel::Complemento: return c_.complemento;
        case CampoResponsavel::Bairro: return c_.bairro;
        case CampoResponsavel::Cep: return c_.cep;
        case CampoResponsavel::Municipio: return c_.municipio;
        case CampoResponsavel::Ddd: return c_.ddd;
        case CampoResponsavel::Telefone: return c_.telefone;
        case CampoResponsavel::Email: return c_.email;
    }
    return c_.inscricao;
}

Critica RotinasResponsavel::Converte(const ResultadoResponsavel& r) const {
    return Critica{r.codigo, Controle(r.campo), !r.falhou};
}

// Runs a routine on the record as the controls hold it and shows back what it cleaned.
template <class Rotina>
Critica RotinasResponsavel::Roda(Rotina rotina) {
    DadosResponsavel d;
    LeControles(d);
    const auto r = rotina(d);
    gui::Mostra(c_.nome, d.NoResponsavelArquivo);
    gui::Mostra(c_.logradouro, d.EdLogradouroRespArquivo);
    gui::Mostra(c_.numero, d.NuLogradouroRespArquivo);
    gui::Mostra(c_.complemento, d.TxComplementoRespArquivo);
    gui::Mostra(c_.bairro, d.NoBairroRespArquivo);
    gui::Mostra(c_.nomeMunicipio, d.NoMunicipioRespArquivo);
    gui::Mostra(c_.uf, d.SgUfRespArquivo);
    gui::Mostra(c_.email, d.TxEMailRespArquivo);
    if (!r.falhou && d.CoCgcCeiResponsavel != inscricao_) {
        inscricao_ = d.CoCgcCeiResponsavel;
        tipo_ = d.InInscrResponsavel;
        if (!c_.inscricao->hasFocus()) MostraInscricao();
    }
    return Converte(r);
}

Critica RotinasResponsavel::CriticaInscricao() {
    const std::string digitos = DigitosInscricao().toStdString();
    auto r = Roda([&](DadosResponsavel& d) { return CriticaInscricaoResp(d, digitos); });
    if (!r.Passou()) {
        LimpaTipoInscricao();
    } else if (!c_.inscricao->hasFocus()) {
        MostraInscricao();
    }
    return r;
}

Critica RotinasResponsavel::CriticaNome() { return Roda([](auto& d) { return CriticaNomeResp(d); }); }
Critica RotinasResponsavel::CriticaDdd(bool focoEmAvancar) {
    return Roda([focoEmAvancar](auto& d) { return CriticaDddResp(d, focoEmAvancar); });
}
Critica RotinasResponsavel::CriticaTelefone() { return Roda([](auto& d) { return CriticaTelefoneResp(d); }); }
Critica RotinasResponsavel::CriticaLogradouro() { return Roda([](auto& d) { return CriticaLogradouroResp(d); }); }
Critica RotinasResponsavel::CriticaNumero() { return Roda([](auto& d) { return CriticaNumeroResp(d); }); }
Critica RotinasResponsavel::CriticaComplemento() { return Roda([](auto& d) { return CriticaComplementoResp(d); }); }
Critica RotinasResponsavel::CriticaBairro() { return Roda([](auto& d) { return CriticaBairroResp(d); }); }
Critica RotinasResponsavel::CriticaCep() { return Roda([](auto& d) { return CriticaCepResp(d); }); }
Critica RotinasResponsavel::CriticaMunicipio() {
    return Roda([this](auto& d) { return CriticaMunicipioResp(critica_, d); });
}
Critica RotinasResponsavel::CriticaEmail() { return Roda([](auto& d) { return CriticaEmailResp(d); }); }

Critica RotinasResponsavel::CriticaTodas() {
    const std::string digitos = DigitosInscricao().toStdString();
    auto r = Roda([&](DadosResponsavel& d) { return CriticaResponsavel(critica_, d, digitos); });
    if (!r.Passou() && r.foco == c_.inscricao) LimpaTipoInscricao();
    return r;
}

void RotinasResponsavel::LimpaTipoInscricao() {
    if (c_.tipoInscricao) c_.tipoInscricao->clear();
}

void RotinasResponsavel::LimpaMunicipio() {
    if (c_.nomeMunicipio) c_.nomeMunicipio->clear();
    if (c_.uf) c_.uf->clear();
}

bool RotinasResponsavel::Aplica(const Critica& critica, Mensagens& mensagens) {
    if (critica.Passou()) return true;
    mensagens.MostraMensagem(critica.codigo);
    if (critica.aviso) return true;
    if (critica.foco) {
        critica.foco->setFocus(Qt::OtherFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(critica.foco)) QTimer::singleShot(0, e, &QLineEdit::selectAll);
    }
    return false;
}

bool RotinasResponsavel::eventFilter(QObject* objeto, QEvent* e) {
    // Entering the box: the digits alone, ready to be retyped.
    if (objeto == c_.inscricao && e->type() == QEvent::FocusIn) {
        const QString digitos = DigitosInscricao();
        c_.inscricao->setMaxLength(kDigitosInscricao);
        c_.inscricao->setText(digitos);
        QTimer::singleShot(0, c_.inscricao, &QLineEdit::selectAll);
    }
    return QObject::eventFilter(objeto, e);
}

}  // namespace zovi::gui
