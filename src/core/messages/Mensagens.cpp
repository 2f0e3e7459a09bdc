#include "messages/Mensagens.h"

#include <array>

#include "engine/Tabela.h"
#include "messages/Formatacao.h"

namespace zovi {

namespace {

const char* const kSemObservacao = "0000";

std::string TextoAusente(const std::string& codigo) {
    return "Mensagem " + codigo +
           " não encontrada no catálogo de mensagens. Instale novamente o GDZOVI e, se persistir, contate a CATZOVI.";
}

}  // namespace

std::string NomeBotao(Resposta resposta) {
    static const std::array<const char*, 8> nomes = {"Erro de Memoria", "mrOk",     "mrCancel", "mrAbort",
                                                     "mrRetry",         "mrIgnore", "mrYes",    "mrNo"};
    const auto i = static_cast<std::size_t>(resposta);
    return i < nomes.size() ? nomes[i] : nomes[0];
}

std::optional<TipoDialogo> TipoDialogoMensagem(const std::string& tpMensagem) {
    const std::string tipo = fAparaTexto(tpMensagem);
    if (tipo == "CNF") return TipoDialogo::Confirmacao;
    if (tipo == "WAR") return TipoDialogo::Aviso;
    if (tipo == "INF") return TipoDialogo::Informacao;
    if (tipo == "ERR") return TipoDialogo::Erro;
    return std::nullopt;
}

std::string CodigoOpcaoAberta(const std::string& inOpcaoAberta) {
    const std::string m = fAparaTexto(inOpcaoAberta);
    if (m == "0") return "0500";
    if (m == "1") return "0501";
    if (m == "3") return "0502";
    if (m == "4") return "0503";
    if (m == "5") return "0504";
    return {};
}

std::string Mensagens::Texto(const std::string& codigo) const {
    const Mensagem* m = catalogo_.Busca(codigo);
    return m ? m->texto : TextoAusente(codigo);
}

std::string Mensagens::MostraMensagem(const std::string& codigo) {
    if (codigo.empty() || codigo == kSemObservacao) return {};
    const Mensagem* m = catalogo_.Busca(codigo);
    if (!m) return NomeBotao(interacao_.Mostra(TipoDialogo::Erro, TextoAusente(codigo)));
    const auto tipo = TipoDialogoMensagem(m->tipo);
    if (!tipo) return {};
    return NomeBotao(interacao_.Mostra(*tipo, m->texto));
}

void Mensagens::MostraMensagemEstabelecimento(const std::string& codigo, const std::string& inscricao,
                                              const std::string& nome, const std::string& tipoInscricao,
                                              const std::string& prefixo) {
    const std::string cabecalho =
        FormataInscricao(inscricao, tipoInscricao) + "  - " + prefixo + "  - " + nome + "   ";
    interacao_.Mostra(TipoDialogo::Informacao, cabecalho + "\n" + Texto(codigo));
}

bool ConfirmaInterrupcao(Interacao& interacao) {
    return interacao.Pergunta(TipoDialogo::Informacao, "Deseja interromper?") == Resposta::Sim;
}

bool Mensagens::ConfirmaInterrupcao() { return zovi::ConfirmaInterrupcao(interacao_); }

void VerificaOpcaoAberta(Banco& banco, Mensagens& mensagens, const std::string& anoBase,
                         const std::string& inscricao, const std::string& prefixo) {
    Tabela t(banco, "BD8EMP");
    t.Abre();
    if (!t.BuscaChave({anoBase, inscricao, prefixo}) || fAparaTexto(t.Texto("InOpcaoAberta")).empty()) return;
    const std::string codigo = CodigoOpcaoAberta(t.Texto("InOpcaoAberta"));
    if (!codigo.empty())
        mensagens.MostraMensagemEstabelecimento(codigo, inscricao, t.Texto("NoRazaoEstabelecimento"),
                                                t.Texto("InInscrEstabelecimento"), prefixo);
    t.Edita();
    t.PoeTexto("InOpcaoAberta", "");
    t.Grava();
}

}  // namespace zovi
