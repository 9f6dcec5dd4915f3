#include "generator/shop_script.h"

#include "generator/script_text.h"

namespace arkona::generator {

namespace {

std::string quoted(const std::string& value) {
    return "\"" + scriptString(value) + "\"";
}

// The amount formatter. It rounds first (on the decimal digits of the number as the browser
// writes it, so 1.005 is 1.01 and 0.35*3 is 1.05), carries into the whole part, and writes a
// whole result with the ending, anything else with two decimals.
std::vector<std::string> formatterLines(const templates::NumberFormat& f) {
    std::string cents;
    switch (f.rounding) {
    case 1: // to tenths
        cents = "c=Math.round(parseInt((des+\"00\").substring(0,2),10)/10)*10;";
        break;
    case 2: // up to whole units from the tenths, as the shop always did
        cents = "c=(parseInt((des+\"0\").substring(0,1),10)>0)?100:0;";
        break;
    default: // to hundredths
        cents = "c=Math.round(parseInt((des+\"000\").substring(0,3),10)/10);";
        break;
    }
    return {
        "function pr(s){var t=\"\"+s,znam=\"\",cele=\"\",des=\"\",c=0,n=\"\",k=0,i=0;"
        "if(t.indexOf(\"e\")>=0){t=Number(s).toFixed(3);}",
        "if(t.indexOf(\"-\")==0){znam=\"-\";t=t.substring(1);}i=t.indexOf(\".\");"
        "if(i>=0){cele=t.substring(0,i);des=t.substring(i+1);}else{cele=t;}"
        "if(cele==\"\"){cele=\"0\";}",
        cents,
        "if(c>=100){c-=100;cele=\"\"+(parseInt(cele,10)+1);}"
        "if(c==0&&parseInt(cele,10)==0){znam=\"\";}",
        "var desCast=(c==0)?" + quoted(f.decimal + f.ending) + ":" + quoted(f.decimal) +
            "+(c<10?\"0\":\"\")+c;",
        "k=cele.length;n=cele.substring(k-3,k);for(k-=3;k>0;k-=3){n=cele.substring(k-3,k)+" +
            quoted(f.thousands) + "+n;}",
        "return(znam+n+desCast);}",
    };
}

// The lines that copy one goods line of the work frame into the cart; the cart grows when its
// fifty starting lines are used up.
std::string newCartLine(const std::string& index) {
    return "objLen++;if(!self.objednavka[objLen]){self.objednavka[objLen]=new "
           "pole(\"\",\"\",0,0);}self.objednavka[objLen].kod=self.wsp.seznam[" +
           index + "].kod;";
}

std::vector<std::string> jumpLines(const templates::ShopSettings& s) {
    const std::string cart = s.kosik.empty() ? std::string() : s.kosik.substr(1);
    if (!s.kosikAno || cart.empty()) {
        return {};
    }
    return {"self.wsp.location=cestawsp + " + quoted(cart) + ";"};
}

std::string alertLine(const templates::ShopSettings& s) {
    return "else {alert(\"" + scriptString(s.tE[1]) + "\\n" + scriptString(s.tE[2]) + "\\n" +
           scriptString(s.tE[3]) + "\");";
}

void append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

} // namespace

std::vector<std::string> confirmationLines(const templates::ShopSettings& s) {
    if (!s.c[0]) {
        return {};
    }
    std::vector<std::string> lines = {"var conftext = \"\";"};
    const auto add = [&](const std::string& line) { lines.push_back("conftext += " + line + ";"); };
    const auto text = [&](int n, bool newLine) {
        return "\"" + std::string(newLine ? "\\n" : "") +
               scriptString(s.tC[static_cast<size_t>(n)]) + "\"";
    };
    if (s.c[1]) {
        add(text(1, false));
    }
    if (s.c[2]) {
        add(text(2, true));
    }
    if (s.c[3]) {
        add("vybrano");
    }
    if (s.c[4]) {
        add(text(3, true));
    }
    if (s.c[5]) {
        add(text(4, true));
        add("pr(vybranocena) + " + text(5, false));
        add("pr(vybranocenaDPH) + " + text(6, false));
    }
    if (s.c[6]) {
        add(text(7, true));
        add("pr(vybranocena+celkSum) + " + text(8, false));
        add("pr(vybranocenaDPH+celkSumDPH) + " + text(9, false));
    }
    for (int n = 7; n <= 10; ++n) {
        if (s.c[static_cast<size_t>(n)]) {
            add(text(n + 3, true));
        }
    }
    lines.push_back("if (confirm(conftext)){");
    return lines;
}

std::vector<std::string> shopScriptLines(const templates::ShopSettings& s) {
    std::vector<std::string> lines = {
        "<SCRIPT LANGUAGE=\"JavaScript\"><!--",
        "<!-- Nákupní košík obchodu: skript vytvořil program ArkonaPro.",
        "var objednavka=new vynuluj(50,\"\"),objLen=0,cisKs=0,totalSUM=0,cisObj=0,celkSum=0,"
        "celkSumDPH=0,celkSleva=0,celkSlevaDPH=0;",
        // The name field is oADR_Jmeno, as the order form's row calls it.
        "var oPLATBA_cislo_obj=\"\",oADR_Jmeno=\"\",oADR_Rodne_cislo=\"\",oADR_Firma=\"\","
        "oADR_Firma_ICO=\"\",oADR_Firma_DIC=\"\",oADR_Ulice=\"\",oADR_PSC=\"\",oADR_Mesto=\"\","
        "oADR_Telefon=\"\",oADR_Telefon_kdy=\"\",oADR_Fax=\"\",oADR_Mobil=\"\",oADR_Email=\"@\";",
        "var oDOD_zpusob=\"\",rDOD_adresa_stejna=1,oDOD_Jmeno=\"\",oDOD_Firma=\"\",oDOD_Ulice=\"\","
        "oDOD_PSC=\"\",oDOD_Mesto=\"\",oDOD_Telefon=\"\",oDOD_Fax=\"\";",
        "var oPLATBA_zpusob=\"\",rFAKTURA_adresa_stejna=1,oFAKTURA_Jmeno=\"\",oFAKTURA_Firma=\"\","
        "oFAKTURA_ICO=\"\",oFAKTURA_DIC=\"\",oFAKTURA_Ulice=\"\",oFAKTURA_PSC=\"\","
        "oFAKTURA_Mesto=\"\",oFAKTURA_Telefon=\"\",oFAKTURA_Fax=\"\";",
        "var cestawsp=\"\",varsymbol=\"\"",
        "function w(s) {document.write(s);}",
        "function nic() {}",
    };
    append(lines, formatterLines(templates::numberFormat(s)));
    append(
        lines,
        {
            "function vynuluj(n,init){this.length=n; for(var i=1;i<n;i++){this[i]=new "
            "pole(\"\",\"\",0,0);}return this;}",
            // Choice k is k times the step, rounded, so that steps like 0.1 reach their end; a step
            // that is not above 0 offers only 0.
            "function Opt(z,y){var x='<OPTION SELECTED VALUE=\"0\">0</OPTION>';",
            "if(y>0){for(var k=1;k<=100000;k++){var i=Math.round(k*y*1000000)/1000000;"
            "if(i>z+0.0000001){break;}x+='<OPTION VALUE=\"'+i+'\">'+i+'</OPTION>';}}return x;}",
            "function "
            "pole(p1,p2,p3,p4,p5,p6){this.length=12;this.kod=p1;this.nazev=p2;this.cena=p3;"
            "this.sdph=p4;this.sleva=p5;this.popis=\"\";this.ks=0;this.mj=p6;this.pcena=p3;"
            "this.psdph=p4;}",
            "function poleSub(p1,p2,p3,p4,p5,p6,p7,p8){this.length=9;this.subtyp=p1;this.kod=p2;"
            "this.popis=p3;this.cena=p4;this.sdph=p5;this.vybran=p6;this.sleva=p7;this.sest=p8;}",
        });
    const auto confirmation = confirmationLines(s);
    const std::string closeIfs = s.c[0] ? "}}" : "}";

    // prid(cis): one goods line of the work frame's page.
    append(lines,
           {
               "function prid(cis){var vybrano=\"\",vybranocena=0,vybranocenaDPH=0;",
               "vybrano=\"\\n\"+self.wsp.seznam[cis].ks+\"x - \"+self.wsp.seznam[cis].nazev+\" (\"+"
               "self.wsp.seznam[cis].kod+\")\";",
               "vybranocena+=self.wsp.seznam[cis].cena*self.wsp.seznam[cis].ks;vybranocenaDPH+="
               "self.wsp.seznam[cis].sdph*self.wsp.seznam[cis].ks;",
               "if (self.wsp.seznam[cis].ks>0){",
           });
    append(lines, confirmation);
    append(
        lines,
        {
            "var dstr=new pole(\"\",\"\",0,0);" + newCartLine("cis"),
            "self.objednavka[objLen].nazev=self.wsp.seznam[cis].nazev;self.objednavka[objLen].cena="
            "self.wsp.seznam[cis].cena;",
            "self.objednavka[objLen].sleva=self.wsp.seznam[cis].sleva;self.objednavka[objLen].sdph="
            "self.wsp.seznam[cis].sdph;",
            "self.objednavka[objLen].popis=self.wsp.seznam[cis].popis;self.objednavka[objLen].ks="
            "self.wsp.seznam[cis].ks;self.objednavka[objLen].mj=self.wsp.seznam[cis].mj;",
        });
    append(lines, jumpLines(s));
    lines.push_back(closeIfs);
    lines.push_back(alertLine(s));
    lines.push_back("}sectiVybrane();}");

    // pridej(): every goods line with a quantity.
    append(lines,
           {
               "function pridej(){var byloVybrano=0,vybrano=\"\",vybranocena=0,vybranocenaDPH=0;",
               "for(var i=1;i<cisKs;i++){if (self.wsp.seznam[i].ks>0){byloVybrano++;",
               "vybrano+=\"\\n\"+self.wsp.seznam[i].ks+\"x - \"+self.wsp.seznam[i].nazev+\" (\"+"
               "self.wsp.seznam[i].kod+\")\";",
               "vybranocena+=self.wsp.seznam[i].cena*self.wsp.seznam[i].ks;vybranocenaDPH+="
               "self.wsp.seznam[i].sdph*self.wsp.seznam[i].ks;}}",
               "if (byloVybrano>0){",
           });
    append(lines, confirmation);
    append(
        lines,
        {
            "var dstr=new pole(\"\",\"\",0,0);for(var j=1;j<cisKs;j++){",
            "if (self.wsp.seznam[j].ks>0){" + newCartLine("j"),
            "self.objednavka[objLen].nazev=self.wsp.seznam[j].nazev;self.objednavka[objLen].cena="
            "self.wsp.seznam[j].cena;",
            "self.objednavka[objLen].sleva=self.wsp.seznam[j].sleva;self.objednavka[objLen].sdph="
            "self.wsp.seznam[j].sdph;",
            "self.objednavka[objLen].popis=self.wsp.seznam[j].popis;self.objednavka[objLen].ks="
            "self.wsp.seznam[j].ks;self.objednavka[objLen].mj=self.wsp.seznam[j].mj}}",
        });
    append(lines, jumpLines(s));
    lines.push_back(closeIfs);
    lines.push_back(alertLine(s));
    lines.push_back("}sectiVybrane();}");

    append(
        lines,
        {
            "function sectiVybrane(){celkSum=0;celkSumDPH=0;celkSleva=0;celkSlevaDPH=0;",
            "for (var i=1;i<(objLen+1);i++){if (objednavka[i].ks>0){celkSum+=objednavka[i].cena*"
            "objednavka[i].ks;",
            "celkSumDPH+=objednavka[i].sdph*objednavka[i].ks;if (objednavka[i].sleva>0){",
            "celkSleva+=(objednavka[i].cena*objednavka[i].ks)*objednavka[i].sleva/100;",
            "celkSlevaDPH+=(objednavka[i].sdph*objednavka[i].ks)*objednavka[i].sleva/100;}}}}",
            // The year's last two digits keep the symbol at ten digits in every century.
            "function getVarSymb(){var datum=new "
            "Date(),tmp=0;varsymbol=\"&\";tmp=datum.getFullYear()"
            "%100;if(tmp<10){varsymbol+=\"0\";}varsymbol+=tmp;tmp=datum.getMonth()+1;if(tmp<10)"
            "{varsymbol+=\"0\";}varsymbol+=tmp;",
            "tmp=datum.getDate();if(tmp<10){varsymbol+=\"0\";}varsymbol+=tmp;tmp=datum.getHours();"
            "if(tmp<10){varsymbol+=\"0\";}varsymbol+=tmp;",
            "tmp=datum.getMinutes()+datum.getSeconds();if(tmp<10){varsymbol+=\"0\";}if(tmp>99)"
            "{tmp=99;}varsymbol+=tmp;varsymbol=varsymbol.substring(1,11);}",
            "function ws(s) {self.wsp.document.write(s);}",
        });
    return lines;
}

} // namespace arkona::generator
