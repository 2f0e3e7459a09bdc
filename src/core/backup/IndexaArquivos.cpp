#include "backup/IndexaArquivos.h"

#include <algorithm>
#include <optional>

#include "data/Tabelas.h"
#include "data/VerificaArquivos.h"
#include "engine/TravaPastaDados.h"

namespace zovi {

namespace {

struct Passo {
    const char* arquivo;
    const char* indice;
    const char* campos;
    bool primario;
    Tabela TdmGDZovi::*tabela;  // the data module's table reopened after the step, if any
};

const Passo kPassos[kPassosIndexacao] = {
    {"TB8MSG.PX", "Main", "NuMensagem", true, &TdmGDZovi::taMensagem},
    {"TB8VINC.PX", "Main", "CoVinculo", true, &TdmGDZovi::taTpVinc},
    {"TB8BASE.PX", "Main", "MeDataBase", true, nullptr},
    {"TB8CNAE.PX", "Main", "CoCNAE", true, &TdmGDZovi::taCNAE},
    {"TB8DESL.PX", "Main", "CoCausaDesligamento", true, &TdmGDZovi::taDesl},
    {"TB8INSTR.PX", "Main", "CoInstrucao", true, &TdmGDZovi::taInstrucao},
    {"TB8MUNIC.PX", "Main", "CoMunicipio", true, &TdmGDZovi::taMunicipio},
    {"TB8NACIO.PX", "Main", "CoNacionalidade", true, &TdmGDZovi::taNacionalidade},
    {"TB8Raca.PX", "Main", "CoRaca", true, &TdmGDZovi::taRaca},
    {"TB8NATJU.PX", "Main", "CoNaturezaJuridica", true, &TdmGDZovi::taNatJu},
    {"TB8TPADM.PX", "Main", "CoTipoAdmissao", true, &TdmGDZovi::taAdmissao},
    {"TB8TPSAL.PX", "Main", "CoTipoSalarioContratual", true, &TdmGDZovi::taSalario},
    {"TBUF.PX", "Main", "CoUF;SgUF", true, &TdmGDZovi::taUF},
    {"TBUF.XG0", "ISgUf", "SgUF", false, &TdmGDZovi::taUF},
    {"TB8CBO.PX", "Main", "CoCbo", true, &TdmGDZovi::taCBO},
    {"BD8VINC.PX", "Main",
     kChaveEmpregado,
     true, nullptr},
    {"BD8EMP.PX", "Main", kChaveEstabelecimento, true, nullptr},
    {"TB8FXCEP.PX", "Main", "CoMunicipio", true, &TdmGDZovi::taFaixaCEP},
    {"TB8Afast.PX", "Main", "CoAfastamento", true, &TdmGDZovi::TaAfastamento},
};

std::string TabelaDoPasso(const Passo& p) {
    std::string arquivo = p.arquivo;
    return NomeMaiusculo(arquivo.substr(0, arquivo.find('.')));
}

}  // namespace

bool fIndexaArquivos(TdmGDZovi& dm, Interacao& interacao, const std::vector<Tabela*>& tabelasDeclaracao) {
    std::optional<TravaPastaDados> trava;
    try {
        trava.emplace(dm.dbZovi.Pasta(), ModoTrava::Exclusiva);
    } catch (const ErroMotor& e) {
        if (e.Codigo() != codigo_motor::TabelaOcupada) throw;
        interacao.Aviso("Nenhum usuário pode estar usando o sistema: \"" + std::string(e.what()) + "\"");
        return false;
    }
    // An index is rebuilt from its table's rows: a table file that is not sound is named,
    // with what is wrong, and nothing is rebuilt.
    if (auto danificadas = TabelasDanificadas(dm.dbZovi.Pasta()); !danificadas.empty()) {
        std::string texto;
        for (const auto& [tabela, motivo] : danificadas) texto += "O arquivo da tabela " + tabela + ".DB " + motivo + ".\n";
        interacao.Aviso(texto + "Arquivos com problemas. Restaure uma cópia de segurança ou reinstale o sistema GDZOVI2005.");
        return false;
    }
    interacao.Progresso(0, kFimBarraIndexacao);
    for (int i = 0; i < kPassosIndexacao; ++i) {
        const auto& passo = kPassos[i];
        auto tabela = TabelaDoPasso(passo);
        Tabela* doModulo = passo.tabela ? &(dm.*passo.tabela) : nullptr;
        if (doModulo) doModulo->Fecha();
        if (tabela == "TBUF") dm.qryUfCep.Fecha();
        for (Tabela* t : tabelasDeclaracao)
            if (t->Nome() == tabela) t->Fecha();
        bool ok = RecriaIndice(dm.dbZovi, passo.arquivo, passo.indice, passo.campos, passo.primario, interacao);
        if (!ok) {
            // Open again for the screens, unless another program still holds the table.
            try {
                if (doModulo) doModulo->Abre();
            } catch (const ErroBanco&) {
            }
            interacao.Aviso("Arquivos com problemas. Reinstale novamente o sistema GDZOVI2005.");
            return false;
        }
        if (doModulo) doModulo->Abre();
        interacao.Progresso(std::min(i + 1, kFimBarraIndexacao), kFimBarraIndexacao);
    }
    interacao.Aviso("Arquivos indexados com sucesso.");
    return true;
}

}  // namespace zovi
