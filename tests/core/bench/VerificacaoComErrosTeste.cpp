// A generated declaration spoiled on purpose, field by field, verified whole:
// the rows it leaves in te8errwa are pinned by their number and a checksum of
// every column of every row, in writing order. Any change in a rule's outcome,
// its message code, its label, the content it shows or the order of the rows
// changes the checksum; faster readers and rules must leave it as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "Gerador.h"
#include "InteracaoRoteirizada.h"
#include "PastaTeste.h"
#include "engine/Banco.h"
#include "engine/Consulta.h"
#include "engine/Tabela.h"
#include "rules/VerificaDeclaracao.h"

namespace zovi::bancada {
namespace {

using Linha = std::vector<std::string>;

std::vector<Linha> LeTabela(Banco& banco, const std::string& nome) {
    Tabela t(banco, nome);
    t.Abre();
    std::vector<Linha> linhas;
    const auto n = t.Definicao().campos.size();
    for (t.Primeiro(); !t.Fim(); t.Proximo()) {
        Linha l;
        for (size_t c = 0; c < n; ++c) l.push_back(t.TextoColuna(static_cast<int>(c)));
        linhas.push_back(std::move(l));
    }
    return linhas;
}

void RegravaTabela(Banco& banco, const std::string& nome, const std::vector<Linha>& linhas) {
    Transacao tr(banco);
    banco.EsvaziaTabela(nome);
    Tabela t(banco, nome);
    t.Abre();
    for (const auto& l : linhas) {
        t.Acrescenta();
        for (size_t c = 0; c < l.size(); ++c) {
            const auto& campo = t.Definicao().campos[c];
            if (campo.tipo != TipoCampo::Logico) t.PoeTexto(campo.nome, l[c]);
            else if (l[c].empty()) t.Limpa(campo.nome);
            else t.PoeLogico(campo.nome, l[c] == "1");
        }
        t.Grava();
    }
    t.Fecha();
    tr.Confirma();
}

// Values that break one rule or another: blanks, zeros, letters, edited money,
// dates out of range, codes outside the tables, a field of another record.
class Estragador {
public:
    explicit Estragador(std::uint32_t semente) : sorteio_(semente) {}

    std::uint32_t Ate(std::uint32_t n) { return sorteio_() % n; }

    std::string Valor(const std::vector<Linha>& linhas, size_t campo, int largura) {
        static const char* const kFixos[] = {"",        " ",        "0",        "0,00",     "1.234,56", "ABC",
                                             "12A",     "  7",      "31022005", "15062005", "01012006", "0101",
                                             "3112",    "3002",     "1",        "2",        "3",        "9",
                                             "01",      "10",       "99",       "2004",     "2006",     "1899",
                                             "000000",  "99999999", "26000",    "30000",    "4500000",  "0000",
                                             "2500",    "'x'",      "@",        "AAAA",     "01122005", "3005",
                                             "00",      "4",        "5",        "8",        "11",       "20",
                                             "25",      "31",       "50",       "70",       "80",       "12345",
                                             "1,00",    "1000000",  "00000001", "1506",     "3001",     "2803"};
        std::string v;
        switch (Ate(4)) {
            case 0: v = kFixos[Ate(std::size(kFixos))]; break;
            case 1: v = linhas[Ate(static_cast<std::uint32_t>(linhas.size()))][campo]; break;
            case 2: v = std::string(static_cast<size_t>(largura), static_cast<char>('0' + Ate(10))); break;
            default: {
                v = linhas[Ate(static_cast<std::uint32_t>(linhas.size()))][campo];
                if (!v.empty()) v[Ate(static_cast<std::uint32_t>(v.size()))] = static_cast<char>('0' + Ate(10));
            }
        }
        if (v.size() > static_cast<size_t>(largura)) v.resize(static_cast<size_t>(largura));
        return v;
    }

    // Spoils about `porCento` of the records, one to four fields each, never `intocados` (the key columns
    // that tie employees to establishments).
    void Estraga(std::vector<Linha>& linhas, const DefTabela& def, size_t intocados, std::uint32_t porCento) {
        const auto originais = linhas;
        for (auto& l : linhas) {
            if (Ate(100) >= porCento) continue;
            for (auto k = 1 + Ate(6); k > 0; --k) {
                auto c = intocados + Ate(static_cast<std::uint32_t>(def.campos.size() - intocados));
                if (def.campos[c].tipo == TipoCampo::Logico) continue;
                l[c] = Valor(originais, c, def.campos[c].largura);
            }
        }
    }

private:
    std::mt19937 sorteio_;
};

// Employees of one establishment made into the cases the group checks read: the same PIS/PASEP and
// admission twice, one worker with two birth dates, workers without a PIS/PASEP sharing a name.
void RepetePessoas(std::vector<Linha>& vinc, const DefTabela& def) {
    auto col = [&](const char* nome) {
        for (size_t i = 0; i < def.campos.size(); ++i)
            if (def.campos[i].nome == nome) return i;
        throw std::runtime_error(nome);
    };
    const auto pis = col("CoPisPasepEmpregado"), adm = col("DaAdmissaoEmpregado"), nome = col("NoEmpregado"),
               nasc = col("DaNascimentoEmpregado");
    for (size_t i = 0; i + 6 < vinc.size(); i += 37) {
        vinc[i + 1][pis] = vinc[i][pis];
        vinc[i + 1][adm] = vinc[i][adm];
        vinc[i + 2][pis] = vinc[i][pis];
        vinc[i + 2][nasc] = "01011970";
        for (size_t j = i + 3; j <= i + 5; ++j) {
            vinc[j][pis] = "00000000000";
            vinc[j][nome] = vinc[i + 3][nome];
        }
        vinc[i + 5][adm] = vinc[i + 3][adm];
        vinc[i + 6][pis] = "           ";
    }
}

// Every column of every row, in the order the run numbered them.
std::string DespejoTe8errwa(Banco& banco) {
    if (!banco.ExisteTabela("TE8ERRWA")) return {};
    Consulta q(banco, {"select * from te8errwa order by Sequencial"});
    std::string s;
    for (q.Abre(); !q.Fim(); q.Proximo()) {
        for (int c = 0; c < q.NumCampos(); ++c) s += q.Texto(c) + "|";
        s += "\n";
    }
    return s;
}

std::uint64_t Fnv1a(const std::string& s) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Resultado {
    long linhas;
    std::string checksum;
};

Resultado Verifica(const teste::PastaTeste& pasta, bool exigePreenchimento) {
    teste::InteracaoRoteirizada interacao;
    fVerificaDeclaracao(interacao, pasta.Caminho(), false, nullptr, "2005", true, exigePreenchimento);
    Banco banco;
    banco.Abre("Zovi2005", {pasta.Parametro()});
    auto despejo = DespejoTe8errwa(banco);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a(despejo)));
    return {static_cast<long>(std::count(despejo.begin(), despejo.end(), '\n')), hex};
}

TEST(VerificacaoComErros, DeixaAsMesmasLinhasEmTe8errwa) {
    teste::PastaTeste pasta;
    {
        Banco banco;
        banco.Abre("Zovi2005", {pasta.Parametro()});
        ParametrosGeracao p;
        p.estabelecimentos = 8;
        p.empregadosPorEstabelecimento = 100;
        p.semente = 1717;
        GeraDeclaracao(banco, p);
        p.estabelecimentos = 3;
        p.empregadosPorEstabelecimento = 25;
        p.semente = 1718;
        p.umaInscricao = true;
        GeraDeclaracao(banco, p);

        Estragador estraga(20051231);
        auto emp = LeTabela(banco, "BD8EMP");
        const auto defEmp = banco.LeDefinicao("BD8EMP");
        estraga.Estraga(emp, defEmp, 3, 80);
        RegravaTabela(banco, "BD8EMP", emp);

        auto vinc = LeTabela(banco, "BD8VINC");
        const auto defVinc = banco.LeDefinicao("BD8VINC");
        RepetePessoas(vinc, defVinc);
        // The key's last four columns (PIS/PASEP, admission, name, sequence) are spoiled too, unless that
        // would make two records one.
        estraga.Estraga(vinc, defVinc, 3, 70);
        std::set<std::vector<std::string>> chaves;
        std::vector<Linha> unicas;
        for (auto& l : vinc)
            if (chaves.insert({l.begin(), l.begin() + 7}).second) unicas.push_back(std::move(l));
        RegravaTabela(banco, "BD8VINC", unicas);

        auto resp = LeTabela(banco, "BD8RESP");
        estraga.Estraga(resp, banco.LeDefinicao("BD8RESP"), 0, 100);
        RegravaTabela(banco, "BD8RESP", resp);
    }

    const auto sem = Verifica(pasta, false);
    const auto com = Verifica(pasta, true);
    EXPECT_EQ(sem.linhas, 3591);
    EXPECT_EQ(sem.checksum, "b01d730b09682040");
    // With the presence flag the union fields and the work municipality must be informed as well.
    EXPECT_EQ(com.linhas, 7325);
    EXPECT_EQ(com.checksum, "723f8cfa9fa59be4");
}

}  // namespace
}  // namespace zovi::bancada
