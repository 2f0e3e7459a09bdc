#include "declfile/Pesquisa.h"

#include "engine/Consulta.h"

namespace zovi {

std::string PesquisaSemRespostas() { return std::string(kQuestoesPesquisa, 'B'); }

std::optional<char> fCodificaResposta(const std::string& digitado) {
    std::string v = digitado;
    if (v.size() > 2 || v.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    v.insert(0, 2 - v.size(), '0');
    if (v == "00") return 'B';
    if (v == "10") return 'A';
    if (v == "77") return 'X';
    if (v[0] == '0') return v[1];
    return std::nullopt;
}

std::string RespostaDoCodigo(char codigo) {
    if (codigo == 'A') return "10";
    if (codigo == 'X') return "77";
    if (codigo == 'B') return "";
    return std::string("0") + codigo;
}

std::optional<std::string> LeRespostaPesquisa(Banco& banco) {
    Consulta q(banco, {"Select NuRespostaPesquisa from BD8Resp"});
    q.Abre();
    if (q.Vazia()) return std::nullopt;
    std::string r = q.Texto("NuRespostaPesquisa").substr(0, kQuestoesPesquisa);
    // A field written before the survey existed, or shorter, reads as unanswered questions.
    r.append(kQuestoesPesquisa - r.size(), 'B');
    for (char& c : r)
        if (c == ' ') c = 'B';
    return r;
}

void GravaRespostaPesquisa(Banco& banco, const std::string& respostas) {
    Consulta existe(banco, {"Select NuRespostaPesquisa from BD8Resp"});
    existe.Abre();
    const bool vazia = existe.Vazia();
    existe.Fecha();
    Consulta q(banco);
    if (vazia)
        q.DefineSql({"Insert into bd8resp (NuRespostaPesquisa) values (:NuRespostaPesquisa)"});
    else
        q.DefineSql({"update BD8Resp set NuRespostaPesquisa = :NuRespostaPesquisa"});
    q.Parametro("NuRespostaPesquisa", respostas);
    q.Executa();
}

}  // namespace zovi
