#include "data/ModulosDados.h"

namespace zovi {

TdmGDZovi::TdmGDZovi(const std::filesystem::path& pastaDados) {
    dbZovi.Abre("Zovi2005", {"path=" + pastaDados.string()});
    for (Tabela* t : {&taMunicipio, &taUF, &taCNAE, &taNatJu, &taNacionalidade, &taMensagem, &taInstrucao, &taAdmissao,
                      &taRaca, &taCBO, &taTpVinc, &taDesl, &taSalario, &taFaixaCEP, &TaAfastamento})
        t->Abre();
}

TdmGDZovi::~TdmGDZovi() {
    quBd8Emp.Fecha();
    qryUfCep.Fecha();
}

namespace {

std::vector<std::string> LinhasContagem() {
    return {"select count(*)", "from BD8Vinc", "where  AnBase= :sAnoBase  and",
            "CoCGCCEIEstabelecimento= :sInscricao  and", "NuPrefixoEstabelecimento= :sPrefixo"};
}

long Conta(Consulta& q, const std::string& anoBase, const std::string& inscricao, const std::string& prefixo) {
    q.Fecha();
    q.Parametro("sAnoBase", anoBase);
    q.Parametro("sInscricao", inscricao);
    q.Parametro("sPrefixo", prefixo);
    q.Abre();
    long n = q.Inteiro(0);
    q.Fecha();
    return n;
}

}  // namespace

TdmEntradaDados::TdmEntradaDados(Banco& banco)
    : ta8Empresa(banco, "BD8EMP"),
      ta8Empreg(banco, "BD8VINC"),
      quBuscaEmpreg(banco),
      quConVinculo(banco, {"Select coPisPasepEmpregado, NoEmpregado,", "daAdmissaoEmpregado, daNascimentoEmpregado",
                               "from BD8Vinc"}),
      quContaEmpreg(banco, LinhasContagem()),
      quContaEstrang(banco, LinhasContagem()),
      quValidaEstab(banco) {
    // An empty nationality is not known to be foreign: it is not counted.
    quContaEstrang.Adiciona("and CoNacionalidade <> '10' and CoNacionalidade <> ''");
}

long TdmEntradaDados::ContaEmpregados(const std::string& anoBase, const std::string& inscricao,
                                      const std::string& prefixo) {
    return Conta(quContaEmpreg, anoBase, inscricao, prefixo);
}

long TdmEntradaDados::ContaEstrangeiros(const std::string& anoBase, const std::string& inscricao,
                                        const std::string& prefixo) {
    return Conta(quContaEstrang, anoBase, inscricao, prefixo);
}

TdmDadosResp::TdmDadosResp(TdmGDZovi& dm)
    : ta8Resp(dm.dbZovi, "BD8RESP"),
      ta8Emp(dm.dbZovi, "BD8EMP"),
      ta8Vinc(dm.dbZovi, "BD8VINC"),
      te8Emp(dm.dbZovi, "TE8EMP"),
      te8Vinc(dm.dbZovi, "TE8VINC"),
      te8Resp(dm.dbZovi, "TE8RESP"),
      quEmpresas(dm.dbZovi),
      quVinculos(dm.dbZovi) {}

std::string ValorSemMascara(const std::string& valor, const std::string& mascara) {
    auto ponto = mascara.find(';');
    if (ponto == std::string::npos || mascara.compare(ponto, 3, ";0;") != 0) return valor;
    std::string r;
    for (char c : valor)
        if (c != '.' && c != '/' && c != '-' && c != ' ' && c != '(' && c != ')' && c != ':') r += c;
    return r;
}

}  // namespace zovi
