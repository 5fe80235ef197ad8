// placeholder until the editor sources land
