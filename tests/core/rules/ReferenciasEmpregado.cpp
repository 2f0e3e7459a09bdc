#include "ReferenciasEmpregado.h"

#include "BaseReferencia.h"
#include "engine/Tabela.h"

namespace zovi::teste {

namespace {

void Cbo(BaseReferencia& base, const char* codigo, bool criticaCbo, bool criticaAna) {
    Tabela t(base.banco, "TB8CBO");
    t.Abre();
    t.Acrescenta();
    t.PoeTexto("CoCbo", codigo);
    t.PoeLogico("InCriticaCbo", criticaCbo);
    t.PoeLogico("InCriticaAna", criticaAna);
    t.Grava();
}

Referencias Monta() {
    BaseReferencia base;
    for (const char* c : {"1", "2"}) base.Insere("TB8RACA", {{"CoRaca", c}});
    for (const char* c : {"10", "20"}) base.Insere("TB8NACIO", {{"CoNacionalidade", c}});
    for (const char* c : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) base.Insere("TB8INSTR", {{"CoInstrucao", c}});
    for (const char* c : {"1", "2"}) base.Insere("TB8TPADM", {{"CoTipoAdmissao", c}});
    for (const char* c : {"1", "2", "3", "4", "5", "6", "7"})
        base.Insere("TB8TPSAL", {{"CoTipoSalarioContratual", c}});
    for (const char* c : {"10", "15", "20", "25", "30", "35", "55", "80"}) base.Insere("TB8VINC", {{"CoVinculo", c}});
    for (const char* c : {"10", "11", "20", "21", "60", "71", "78", "80"})
        base.Insere("TB8DESL", {{"CoCausaDesligamento", c}});
    base.Municipio("3550308", "SAO PAULO", "", "1");
    Cbo(base, "223505", true, false);
    Cbo(base, "411005", false, true);
    Cbo(base, "782510", false, false);
    return base.Carrega();
}

}  // namespace

const Referencias& ReferenciasEmpregado() {
    static const Referencias referencias = Monta();
    return referencias;
}

}  // namespace zovi::teste
